// The eight port-number operations over a table of open ports.
#include <array>
#include <memory>
#include <span>

#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"
#include "platform/rs232/serialport.h"
#include "platform/rs232/ttyport.h"

namespace {

using rs232::SerialPort;

// Results of the classic library for misuse; callers only test for non-zero.
constexpr int kOpenFailed = -1;
constexpr int kBadPortNumber = -2;
constexpr int kPortNotOpen = -3;
constexpr int kPortAlreadyOpen = -4;
constexpr int kBadArgument = -5;

struct OpenPort {
    std::unique_ptr<SerialPort> port;
    double timeoutSeconds = 0;
};

std::array<OpenPort, rs232::kLastPort> gPorts;
rs232::PortOpener gOpener;

bool ValidPortNumber(int port) {
    return port >= rs232::kFirstPort && port <= rs232::kLastPort;
}

OpenPort* Slot(int port) {
    if (!ValidPortNumber(port)) return nullptr;
    return &gPorts[port - 1];
}

SerialPort* Open(int port) {
    OpenPort* slot = Slot(port);
    return slot ? slot->port.get() : nullptr;
}

int Misuse(int port) {
    return ValidPortNumber(port) ? kPortNotOpen : kBadPortNumber;
}

}  // namespace

namespace rs232 {

void SetPortOpener(PortOpener opener) {
    gOpener = std::move(opener);
}

}  // namespace rs232

int OpenComConfig(int port, const char* deviceName, long baudRate, int parity, int dataBits,
                  int stopBits, int /*inputQueueSize*/, int /*outputQueueSize*/) {
    OpenPort* slot = Slot(port);
    if (!slot) return kBadPortNumber;
    if (slot->port) return kPortAlreadyOpen;
    const std::string device =
        deviceName && *deviceName ? std::string(deviceName) : rs232::DeviceForPort(port);
    const rs232::LineSettings settings{baudRate, parity, dataBits, stopBits};
    auto opened = gOpener ? gOpener(device, settings) : rs232::OpenTtyPort(device, settings);
    if (!opened) return kOpenFailed;
    slot->port = std::move(opened);
    slot->timeoutSeconds = rs232::kDefaultTimeoutSeconds;
    return 0;
}

int CloseCom(int port) {
    OpenPort* slot = Slot(port);
    if (!slot || !slot->port) return Misuse(port);
    // The slot is free afterwards even when the device reports a failure.
    const int result = slot->port->close();
    slot->port.reset();
    return result == 0 ? 0 : kOpenFailed;
}

int SetComTime(int port, double timeoutSeconds) {
    OpenPort* slot = Slot(port);
    if (!slot || !slot->port) return Misuse(port);
    if (slot->port->setTimeout(timeoutSeconds) != 0) return kBadArgument;
    slot->timeoutSeconds = timeoutSeconds;
    return 0;
}

double GetComTime(int port) {
    OpenPort* slot = Slot(port);
    return slot && slot->port ? slot->timeoutSeconds : -1.0;
}

int FlushInQ(int port) {
    SerialPort* p = Open(port);
    return p ? p->flushInput() : Misuse(port);
}

int FlushOutQ(int port) {
    SerialPort* p = Open(port);
    return p ? p->flushOutput() : Misuse(port);
}

int ComWrt(int port, const char* bytes, int count) {
    SerialPort* p = Open(port);
    if (!p) return Misuse(port);
    if (count < 0 || (count > 0 && !bytes)) return kBadArgument;
    return p->write(std::span<const char>(bytes, static_cast<std::size_t>(count)));
}

int GetOutQLen(int port) {
    SerialPort* p = Open(port);
    return p ? p->outputQueueLength() : Misuse(port);
}

int ComRdByte(int port) {
    SerialPort* p = Open(port);
    return p ? p->readByte() : Misuse(port);
}
