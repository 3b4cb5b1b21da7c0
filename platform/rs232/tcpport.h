// The network backend: a module behind a serial device server (or ser2net)
// in raw TCP mode, named "tcp://HOST:PORT" wherever a device path may stand;
// HOST is a name, an IPv4 address or an IPv6 address in brackets. The line
// settings are the server's. The same operations, timeouts and results as a
// tty: a connection the server closed or reset counts as a device gone away.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/rs232/serialport.h"

namespace rs232 {

inline constexpr std::string_view kNetworkScheme = "tcp://";
// A server that takes longer to accept is counted as not answering.
inline constexpr double kConnectTimeoutSeconds = 3.0;

inline bool IsNetworkDevice(std::string_view device) {
    return device.starts_with(kNetworkScheme);
}

// nullptr on failure, with why in *cause: EINVAL for a device that is no
// tcp://HOST:PORT, the resolver's code for a host name that cannot be
// resolved, ETIMEDOUT when no address accepted within the connect timeout,
// else the errno of the last address tried (ECONNREFUSED, ...).
std::unique_ptr<SerialPort> OpenTcpPort(const std::string& device, FailureCause* cause);

}  // namespace rs232
