// The serial devices of this machine, so an operator can see which one an
// adapter is. Reads directory entries and /sys only; opens no device.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rs232 {

struct SerialDevice {
    std::string path;
    std::string target;  // where a by-id link points; empty for a device itself
};

// In this order: every entry of dev/serial/by-id, then dev/ttyUSB<n>, then
// dev/ttyACM<n> in numeric order, then the dev/ttyS<n> that have hardware.
std::vector<SerialDevice> ListSerialDevices(const std::filesystem::path& dev = "/dev",
                                            const std::filesystem::path& sys = "/sys");

}  // namespace rs232
