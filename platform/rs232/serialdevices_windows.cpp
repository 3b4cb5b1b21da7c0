#include <windows.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "platform/rs232/serialdevices.h"
#include "platform/windowsapi.h"

namespace rs232 {
namespace {

// The n of COM<n>; -1 for other names.
long PortNumber(std::string_view name) {
    if (!name.starts_with("COM")) return -1;
    long n = -1;
    const auto [end, ec] = std::from_chars(name.data() + 3, name.data() + name.size(), n);
    return ec == std::errc{} && end == name.data() + name.size() ? n : -1;
}

}  // namespace

// Every COM port the drivers have announced, present ones only: the values
// of HARDWARE\DEVICEMAP\SERIALCOMM name a kernel device and hold "COM<n>".
std::vector<SerialDevice> ListSerialDevices(const std::filesystem::path& /*dev*/,
                                            const std::filesystem::path& /*sys*/) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::vector<std::pair<long, SerialDevice>> ports;
    for (DWORD index = 0;; ++index) {
        std::array<wchar_t, 256> name{};
        std::array<wchar_t, 64> data{};
        DWORD nameLength = name.size();
        DWORD dataBytes = sizeof data - sizeof(wchar_t);  // keeps a terminating NUL
        DWORD type = 0;
        const LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        const std::string port = platform::Narrow(data.data());
        const long number = PortNumber(port);
        if (number < 0) continue;
        ports.push_back({number, {"\\\\.\\" + port, platform::Narrow(name.data())}});
    }
    RegCloseKey(key);
    std::sort(ports.begin(), ports.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SerialDevice> devices;
    for (auto& [number, device] : ports)
        devices.push_back(std::move(device));
    return devices;
}

const char* const kLastingDeviceAdvice =
    "the Device Manager shows the COM number of a USB adapter and can change it.";

}  // namespace rs232
