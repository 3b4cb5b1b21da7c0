// One open serial connection behind a port number. The port table owns it;
// backends (the termios tty, the scripted test port) implement it.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

namespace rs232 {

struct LineSettings {
    long baudRate = 9600;
    int parity = 1;  // rs232::Parity
    int dataBits = 7;
    int stopBits = 1;
};

// The read timeout of a freshly opened port, until SetComTime changes it.
inline constexpr double kDefaultTimeoutSeconds = 10.0;

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    virtual int setTimeout(double seconds) = 0;
    virtual int flushInput() = 0;
    virtual int flushOutput() = 0;
    // Bytes accepted for sending (may be fewer than given), negative on failure.
    virtual int write(std::span<const char> bytes) = 0;
    // Bytes still waiting to go out; negative when that cannot be told.
    virtual int outputQueueLength() = 0;
    // Next received byte 0..255, or negative after the timeout or on failure.
    virtual int readByte() = 0;
    // Releases the device; 0 on success. Called once, before destruction.
    virtual int close() = 0;
};

// Creates the connection for a device path; nullptr on failure.
using PortOpener =
    std::function<std::unique_ptr<SerialPort>(const std::string& device, const LineSettings&)>;

// Replaces how ports are opened (tests install scripted ports); an empty opener
// restores the termios backend. Ports already open keep their backend.
void SetPortOpener(PortOpener opener);

}  // namespace rs232
