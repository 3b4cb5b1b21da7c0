// One open serial connection behind a port number. The port table owns it;
// backends (the termios tty, the Windows COM port, the serial device server,
// the scripted test port) implement it.
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

// What the system said when an operation on a port failed.
struct FailureCause {
    int error = 0;         // errno; 0 when the system gave no reason (a timeout)
    bool gone = false;     // the open device went away: unplugged, other end closed
    int resolveError = 0;  // getaddrinfo's EAI_ code: a server's host name not resolved
};

class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // seconds is at most kMaxTimeoutSeconds; the port table cuts longer ones.
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
    // Why the last failed operation failed; read right after the failure.
    virtual FailureCause failureCause() const = 0;
};

// Creates the connection for a device path; nullptr on failure, with why in
// *cause.
using PortOpener = std::function<std::unique_ptr<SerialPort>(
    const std::string& device, const LineSettings&, FailureCause* cause)>;

// Replaces how ports are opened (tests install scripted ports); an empty opener
// restores the backends: a serial device server for "tcp://HOST:PORT"
// (tcpport.h), the system's serial port for every other path (localport.h). Ports already open keep
// their backend.
void SetPortOpener(PortOpener opener);

}  // namespace rs232
