// Which device a port number stands for. Looked up at every open, in this
// order: a device set for this process (SetPortDevice), the key com<n> of
// section [Ports] in the read-only file zan1ports.ini in the current
// directory, else the system's n-th serial port: /dev/ttyS<n-1>, on Windows
// \\.\COM<n>. The file is never written.
#pragma once

#include <filesystem>
#include <string>

namespace rs232 {

inline constexpr const char* kPortMapFile = "zan1ports.ini";
inline constexpr const char* kPortMapSection = "Ports";

std::string DeviceForPort(int port);

// The device zan1ports.ini maps port to; empty when it has no key for it.
std::string MappedDeviceForPort(int port);

// What port stands for without a key: ttyS<port-1> in dev; \\.\COM<port> on
// Windows, where dev does not count. Empty for a port out of range.
std::string DefaultDeviceForPort(int port, const std::filesystem::path& dev = "/dev");

// Makes port stand for device for the rest of the process; an empty device
// removes the setting again.
void SetPortDevice(int port, const std::string& device);

}  // namespace rs232
