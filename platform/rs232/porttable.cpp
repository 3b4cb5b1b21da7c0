// The eight port-number operations over a table of open ports.
#include <algorithm>
#include <array>
#include <memory>
#include <span>

#include "platform/rs232/linetrace.h"
#include "platform/rs232/localport.h"
#include "platform/rs232/portfailure.h"
#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"
#include "platform/rs232/serialport.h"
#include "platform/rs232/tcpport.h"

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
    std::string device;
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

// The open port behind a number for one operation, which starts by forgetting
// the failure of the one before.
OpenPort* Open(int port) {
    rs232::ForgetPortFailure();
    OpenPort* slot = Slot(port);
    return slot && slot->port ? slot : nullptr;
}

// The same for an operation that is no read: it ends the traced frame.
OpenPort* OpenNoRead(int port) {
    OpenPort* open = Open(port);
    if (open) rs232::TraceEndFrame(port);
    return open;
}

// A device operation's result; on failure the port's reason is kept.
int Checked(const OpenPort& open, int result) {
    if (result < 0) rs232::KeepPortFailure(open.device, open.port->failureCause());
    return result;
}

int Misuse(int port) {
    return ValidPortNumber(port) ? kPortNotOpen : kBadPortNumber;
}

std::unique_ptr<SerialPort> OpenDevice(const std::string& device,
                                       const rs232::LineSettings& settings,
                                       rs232::FailureCause* cause) {
    if (rs232::IsNetworkDevice(device)) return rs232::OpenTcpPort(device, cause);
    *cause = {};
    return rs232::OpenLocalPort(device, settings, &cause->error);
}

}  // namespace

namespace rs232 {

void SetPortOpener(PortOpener opener) {
    gOpener = std::move(opener);
}

}  // namespace rs232

int OpenComConfig(int port, const char* deviceName, long baudRate, int parity, int dataBits,
                  int stopBits, int /*inputQueueSize*/, int /*outputQueueSize*/) {
    rs232::ForgetPortFailure();
    OpenPort* slot = Slot(port);
    if (!slot) return kBadPortNumber;
    if (slot->port) return kPortAlreadyOpen;
    const std::string device =
        deviceName && *deviceName ? std::string(deviceName) : rs232::DeviceForPort(port);
    const rs232::LineSettings settings{baudRate, parity, dataBits, stopBits};
    rs232::FailureCause cause;
    auto opened =
        gOpener ? gOpener(device, settings, &cause) : OpenDevice(device, settings, &cause);
    if (!opened) {
        rs232::KeepPortFailure(device, cause);
        return kOpenFailed;
    }
    slot->port = std::move(opened);
    slot->device = device;
    slot->timeoutSeconds = rs232::kDefaultTimeoutSeconds;
    return 0;
}

// Keeps the failure it had before: a caller closes after a failed operation
// and still reports that one.
int CloseCom(int port) {
    OpenPort* slot = Slot(port);
    if (!slot || !slot->port) return Misuse(port);
    rs232::TraceClosed(port);
    // The slot is free afterwards even when the device reports a failure.
    const int result = slot->port->close();
    slot->port.reset();
    return result == 0 ? 0 : kOpenFailed;
}

int SetComTime(int port, double timeoutSeconds) {
    OpenPort* open = OpenNoRead(port);
    if (!open) return Misuse(port);
    const double kept = std::min(timeoutSeconds, rs232::kMaxTimeoutSeconds);
    if (Checked(*open, open->port->setTimeout(kept)) != 0) return kBadArgument;
    open->timeoutSeconds = kept;
    return 0;
}

double GetComTime(int port) {
    OpenPort* slot = Slot(port);
    return slot && slot->port ? slot->timeoutSeconds : -1.0;
}

int FlushInQ(int port) {
    OpenPort* open = OpenNoRead(port);
    return open ? Checked(*open, open->port->flushInput()) : Misuse(port);
}

int FlushOutQ(int port) {
    OpenPort* open = OpenNoRead(port);
    return open ? Checked(*open, open->port->flushOutput()) : Misuse(port);
}

int ComWrt(int port, const char* bytes, int count) {
    OpenPort* open = OpenNoRead(port);
    if (!open) return Misuse(port);
    if (count < 0 || (count > 0 && !bytes)) return kBadArgument;
    const std::span<const char> all(bytes, static_cast<std::size_t>(count));
    const int written = Checked(*open, open->port->write(all));
    if (written > 0)
        rs232::TraceSent(port, open->device, all.first(static_cast<std::size_t>(written)));
    return written;
}

int GetOutQLen(int port) {
    OpenPort* open = OpenNoRead(port);
    return open ? Checked(*open, open->port->outputQueueLength()) : Misuse(port);
}

int ComRdByte(int port) {
    OpenPort* open = Open(port);
    if (!open) return Misuse(port);
    const int byte = Checked(*open, open->port->readByte());
    if (byte >= 0) {
        rs232::TraceReceived(port, open->device, byte);
    } else {
        rs232::TraceNoByte(port, open->device, open->port->failureCause());
    }
    return byte;
}
