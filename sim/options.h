// What sits on the simulated bus.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/fault.h"

namespace zan1sim {

inline constexpr std::string_view kDefaultIdentification = "VEK-ZAN1B-SIM";

// A ZAN-1 module, or with foreign set another device that only answers the
// identification request. A module with an empty identification uses the default.
struct Device {
    int address;
    std::string identification;
    bool foreign = false;
};

struct Options {
    std::vector<Device> devices;  // empty: one ZAN-1 module at 1, "VEK-ZAN1B-SIM"
    std::vector<std::pair<int, Fault>> faults;
    bool realtime = false;
};

// One word of printable 7-bit ASCII without blanks, 1 to 26 characters.
bool IsValidIdentification(std::string_view identification);

// The devices the options stand for, defaults filled in.
std::vector<Device> EffectiveDevices(const Options& options);

// Empty when the options describe a possible bus, else what is wrong with them:
// addresses 1..8, each used once, valid identifications, faults only for
// addresses that hold a device and at most one fault per address.
std::string CheckOptions(const Options& options);

}  // namespace zan1sim
