#include "sim/options.h"

#include <algorithm>
#include <array>

#include "driver/protocol.h"

namespace zan1sim {
namespace {

bool ValidAddress(int address) {
    return address >= 1 && address <= 8;
}

}  // namespace

bool IsValidIdentification(std::string_view identification) {
    return !identification.empty() && identification.size() <= vekzan1::kIdentificationMaxLength &&
           std::all_of(identification.begin(), identification.end(),
                       [](char c) { return c > ' ' && c < 0x7f; });
}

std::vector<Device> EffectiveDevices(const Options& options) {
    if (options.devices.empty()) {
        return {Device{1, std::string(kDefaultIdentification)}};
    }
    std::vector<Device> devices = options.devices;
    for (Device& device : devices) {
        if (!device.foreign && device.identification.empty()) {
            device.identification = kDefaultIdentification;
        }
    }
    return devices;
}

std::string CheckOptions(const Options& options) {
    std::array<bool, 9> occupied{};
    for (const Device& device : EffectiveDevices(options)) {
        const std::string at = std::to_string(device.address);
        if (!ValidAddress(device.address)) {
            return "device address " + at + " is not 1..8";
        }
        if (occupied[device.address]) {
            return "address " + at + " is used twice";
        }
        occupied[device.address] = true;
        if (!IsValidIdentification(device.identification)) {
            return "identification of the device at " + at +
                   " is not one word of at most 26 printable ASCII characters";
        }
    }
    std::array<bool, 9> faulted{};
    for (const auto& [address, fault] : options.faults) {
        const std::string at = std::to_string(address);
        if (!ValidAddress(address) || !occupied[address]) {
            return "fault for address " + at + ", which holds no device";
        }
        if (faulted[address]) {
            return "two faults for address " + at;
        }
        faulted[address] = true;
    }
    return {};
}

}  // namespace zan1sim
