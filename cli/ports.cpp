#include "cli/ports.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"
#include "platform/rs232/serialdevices.h"

namespace zan1ctl {
namespace {

namespace fs = std::filesystem;

struct Mapping {
    int port = 0;
    std::string device;
    bool byDefault = false;
};

std::vector<Mapping> Mappings(const fs::path& dev) {
    std::vector<Mapping> mappings;
    for (int port = rs232::kFirstPort; port <= rs232::kLastPort; ++port) {
        std::string device = rs232::MappedDeviceForPort(port);
        const bool byDefault = device.empty();
        if (byDefault) device = rs232::DefaultDeviceForPort(port, dev);
        mappings.push_back({port, std::move(device), byDefault});
    }
    return mappings;
}

// A by-id link names the same file as its device, so a mapping to either
// belongs to both lines.
bool SameDevice(const std::string& mapped, const std::string& listed) {
    std::error_code ec;
    return mapped == listed || fs::equivalent(mapped, listed, ec);
}

// What zan1ports.ini maps beyond the devices found (a pty, a serial device
// server), each once, in port order, so the simulator's port shows up too.
std::vector<rs232::SerialDevice> MappedOnly(const std::vector<rs232::SerialDevice>& devices,
                                            const std::vector<Mapping>& mappings) {
    std::vector<rs232::SerialDevice> mapped;
    for (const Mapping& mapping : mappings) {
        const auto listed = [&](const rs232::SerialDevice& d) {
            return SameDevice(mapping.device, d.path);
        };
        if (mapping.byDefault || std::any_of(devices.begin(), devices.end(), listed) ||
            std::any_of(mapped.begin(), mapped.end(), listed)) {
            continue;
        }
        mapped.push_back({mapping.device, {}});
    }
    return mapped;
}

}  // namespace

void ListPorts(std::ostream& out, const fs::path& dev, const fs::path& sys) {
    const std::vector<rs232::SerialDevice> devices = rs232::ListSerialDevices(dev, sys);
    const std::vector<Mapping> mappings = Mappings(dev);
    const std::vector<rs232::SerialDevice> mapped = MappedOnly(devices, mappings);
    if (devices.empty() && mapped.empty()) out << "No serial devices found.\n";
    for (const auto* list : {&devices, &mapped}) {
        for (const rs232::SerialDevice& device : *list) {
            out << device.path;
            if (!device.target.empty()) out << " -> " << device.target;
            if (list == &mapped) out << " (mapped)";
            const char* separator = "  ";
            for (const Mapping& mapping : mappings) {
                if (!SameDevice(mapping.device, device.path)) continue;
                out << separator << "COM " << mapping.port
                    << (mapping.byDefault ? " (default)" : "");
                separator = ", ";
            }
            out << '\n';
        }
    }
    out << "\nTo map a device, add \"comN = DEVICE\" under [Ports] in zan1ports.ini in the "
           "directory\nthe program runs from; "
        << rs232::kLastingDeviceAdvice << '\n';
}

}  // namespace zan1ctl
