#include "platform/rs232/serialdevices.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace rs232 {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> EntryNames(const fs::path& directory) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(directory, ec))
        names.push_back(entry.path().filename().string());
    return names;
}

// The n of prefix<n>, or -1 when name is not of that form.
long Number(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size()) return -1;
    const std::string_view digits = name.substr(prefix.size());
    long n = -1;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return ec == std::errc{} && end == digits.data() + digits.size() ? n : -1;
}

// prefix<n> in dev, sorted by n so that ttyUSB2 comes before ttyUSB10.
std::vector<std::string> Numbered(const fs::path& dev, std::string_view prefix) {
    std::vector<std::pair<long, std::string>> found;
    for (std::string& name : EntryNames(dev)) {
        const long n = Number(name, prefix);
        if (n >= 0) found.emplace_back(n, std::move(name));
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& [n, name] : found)
        names.push_back(std::move(name));
    return names;
}

std::string Subsystem(const fs::path& device) {
    std::error_code ec;
    return fs::read_symlink(device / "subsystem", ec).filename().string();
}

// Linux makes ttyS0..ttyS31 whether or not a UART is there; the ones without
// hardware hang off the legacy 8250 platform device. Newer kernels put serial-base
// port devices in between, so look past those to the device that carries the port.
bool HasHardware(const fs::path& sys, const std::string& name) {
    std::error_code ec;
    fs::path device = fs::canonical(sys / "class/tty" / name / "device", ec);
    if (ec) return false;
    std::string subsystem = Subsystem(device);
    while (subsystem == "serial-base" && device.has_relative_path()) {
        device = device.parent_path();
        subsystem = Subsystem(device);
    }
    return subsystem != "platform";
}

}  // namespace

std::vector<SerialDevice> ListSerialDevices(const fs::path& dev, const fs::path& sys) {
    std::vector<SerialDevice> devices;
    const fs::path byId = dev / "serial/by-id";
    std::vector<std::string> links = EntryNames(byId);
    std::sort(links.begin(), links.end());
    for (const std::string& name : links) {
        std::error_code ec;
        const fs::path link = byId / name;
        const fs::path target = fs::read_symlink(link, ec);
        devices.push_back(
            {link.string(), ec ? std::string() : (byId / target).lexically_normal().string()});
    }
    for (const char* prefix : {"ttyUSB", "ttyACM"}) {
        for (const std::string& name : Numbered(dev, prefix))
            devices.push_back({(dev / name).string(), {}});
    }
    for (const std::string& name : Numbered(dev, "ttyS")) {
        if (HasHardware(sys, name)) devices.push_back({(dev / name).string(), {}});
    }
    return devices;
}

const char* const kLastingDeviceAdvice =
    "use the by-id name for a USB adapter, it survives replugging.";

}  // namespace rs232
