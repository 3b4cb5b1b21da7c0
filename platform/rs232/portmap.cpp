#include "platform/rs232/portmap.h"

#include <array>
#include <mutex>

#include "platform/ini/ini.h"
#include "platform/rs232/rs232.h"

namespace rs232 {
namespace {

// Set by one thread and looked up by the one that opens the port.
std::mutex gMutex;
std::array<std::string, kLastPort> gPortDevices;

bool ValidPort(int port) {
    return port >= kFirstPort && port <= kLastPort;
}

}  // namespace

std::string MappedDeviceForPort(int port) {
    if (!ValidPort(port)) return {};
    const IniPtr ini = MakeIni(true);
    if (!ini || Ini_ReadFromFile(ini.get(), kPortMapFile) < 0) return {};
    std::array<char, 512> device{};
    const std::string key = "com" + std::to_string(port);
    if (Ini_GetRawStringIntoBuffer(ini.get(), kPortMapSection, key.c_str(), device.data(),
                                   device.size()) != 1) {
        return {};
    }
    return device.data();
}

std::string DeviceForPort(int port) {
    if (!ValidPort(port)) return {};
    {
        const std::lock_guard lock(gMutex);
        if (!gPortDevices[port - 1].empty()) return gPortDevices[port - 1];
    }
    std::string device = MappedDeviceForPort(port);
    if (!device.empty()) return device;
    return DefaultDeviceForPort(port);
}

void SetPortDevice(int port, const std::string& device) {
    if (!ValidPort(port)) return;
    const std::lock_guard lock(gMutex);
    gPortDevices[port - 1] = device;
}

}  // namespace rs232
