// The serial devices of this machine, so an operator can see which one an
// adapter is. Reads directory entries and /sys only (on Windows the
// registry's list of COM ports); opens no device.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rs232 {

struct SerialDevice {
    std::string path;
    // Where a by-id link points, empty for a device itself; on Windows the
    // kernel's name of the port, which tells its driver ("\\Device\\VCP0").
    std::string target;
};

// In this order: every entry of dev/serial/by-id, then dev/ttyUSB<n>, then
// dev/ttyACM<n> in numeric order, then the dev/ttyS<n> that have hardware.
// On Windows dev and sys do not count: \\.\COM<n> in numeric order.
std::vector<SerialDevice> ListSerialDevices(const std::filesystem::path& dev = "/dev",
                                            const std::filesystem::path& sys = "/sys");

// How to name a USB adapter in zan1ports.ini so that the name lasts.
extern const char* const kLastingDeviceAdvice;

}  // namespace rs232
