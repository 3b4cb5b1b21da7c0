#include "sim/bus.h"

#include <array>
#include <charconv>

#include "driver/parametermap.h"
#include "driver/protocol.h"
#include "sim/valuetext.h"

namespace zan1sim {
namespace {

using vekzan1::kAck;
using vekzan1::kNak;

std::string TwoHexDigits(int value) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {kDigits[(value >> 4) & 0xf], kDigits[value & 0xf]};
}

// A command is what lies between the address digit and the CR: two object
// characters, the operation letter, and for a write the value text.
struct Command {
    std::string_view object;
    char operation;
    std::string_view value;
};

std::optional<Command> SplitCommand(std::string_view command) {
    if (command.size() < 3) {
        return std::nullopt;
    }
    return Command{command.substr(0, 2), command[2], command.substr(3)};
}

}  // namespace

Bus::Bus(const Options& options, SimTime powerOn) {
    for (const Device& device : EffectiveDevices(options)) {
        Station station{device.address, device.identification, std::nullopt};
        if (!device.foreign) {
            station.module.emplace(device.identification, powerOn);
        }
        m_stations.push_back(std::move(station));
    }
    for (const auto& [address, fault] : options.faults) {
        setFault(address, fault);
    }
}

Bus::Station* Bus::Find(int address) {
    for (Station& station : m_stations) {
        if (station.address == address) {
            return &station;
        }
    }
    return nullptr;
}

Module* Bus::FindModule(int address) {
    Station* station = Find(address);
    return station && station->module ? &*station->module : nullptr;
}

void Bus::setFault(int address, Fault fault) {
    if (Station* station = Find(address)) {
        station->fault = fault;
    }
}

std::string Bus::handle(std::string_view frame, SimTime now) {
    if (frame.size() < 3 || frame.front() != vekzan1::kStart ||
        frame.back() != vekzan1::kTerminator) {
        return {};
    }
    const char addressDigit = frame[1];
    const std::string_view command = frame.substr(2, frame.size() - 3);
    if (addressDigit == '0' + vekzan1::kBroadcastAddress) {
        for (Station& station : m_stations) {
            if (station.module && !RefusesCommands(station.fault)) {
                station.module->advanceTo(now);
                applyWrite(*station.module, command);
            }
        }
        return {};
    }
    Station* station =
        addressDigit >= '1' && addressDigit <= '8' ? Find(addressDigit - '0') : nullptr;
    if (!station) {
        return {};
    }
    if (RefusesCommands(station->fault)) {
        return ShapeAnswer(station->fault, {});
    }
    std::string answer;
    if (station->module) {
        answer = moduleAnswer(*station, command, now);
    } else if (command == "IDR") {
        answer = std::string{kAck, vekzan1::kStart, addressDigit} + station->identification +
                 vekzan1::kTerminator;
    }
    return ShapeAnswer(station->fault, std::move(answer));
}

std::string Bus::moduleAnswer(Station& station, std::string_view command, SimTime now) {
    Module& module = *station.module;
    module.advanceTo(now);
    const auto split = SplitCommand(command);
    if (!split) {
        return std::string(1, kNak);
    }
    if (split->operation == vekzan1::kWrite) {
        return std::string(1, applyWrite(module, command) ? kAck : kNak);
    }
    if (split->operation != vekzan1::kRead || !split->value.empty()) {
        return std::string(1, kNak);
    }
    std::string text{vekzan1::kStart, static_cast<char>('0' + station.address)};
    if (split->object == "ID") {
        text += module.identification();
    } else if (split->object == "ST") {
        text += "STR";
        text += vekzan1::kStatusMark;
        text += TwoHexDigits(module.status());
    } else if (const auto* p = vekzan1::FindParameterByCode(split->object[0], split->object[1])) {
        text += split->object;
        text += vekzan1::kRead;
        text += ReadAnswerValue(*p, module.read(*p));
    } else {
        return std::string(1, kNak);
    }
    return kAck + text + vekzan1::kTerminator;
}

bool Bus::applyWrite(Module& module, std::string_view command) {
    const auto split = SplitCommand(command);
    if (!split || split->operation != vekzan1::kWrite) {
        return false;
    }
    const auto* p = vekzan1::FindParameterByCode(split->object[0], split->object[1]);
    if (!p) {
        return false;
    }
    const auto value = ParseWriteValue(*p, split->value);
    return value && module.write(*p, *value);
}

std::optional<double> Bus::parameter(int address, std::string_view name, SimTime now) {
    Module* module = FindModule(address);
    const auto* p = vekzan1::FindParameter(name);
    if (!module || !p) {
        return std::nullopt;
    }
    module->advanceTo(now);
    return ParseAnswerValue(ReadAnswerValue(*p, module->read(*p)));
}

}  // namespace zan1sim
