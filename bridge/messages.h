// What the bridge publishes, as topics and JSON payloads, and the commands it
// takes: <prefix>/<line>/<address>/set/<parameter> with the value as text.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "bridge/bridgeconfig.h"
#include "driver/parametermap.h"

namespace bridge {

std::string ModuleTopic(const std::string& prefix, const std::string& line, int address,
                        std::string_view leaf);
std::string BridgeStatusTopic(const std::string& prefix);
// Where commands arrive, for the subscription.
std::string CommandFilter(const std::string& prefix);

// text as a JSON string, quotes included; bytes that are no valid UTF-8
// become U+FFFD, so anything from outside can be echoed safely.
std::string JsonString(std::string_view text);
// UTC as ISO 8601 with milliseconds: "2026-12-07T18:05:01.123Z".
std::string IsoUtc(std::chrono::system_clock::time_point time);

struct Reading {
    std::chrono::system_clock::time_point time;
    double volt1 = 0;
    double volt2 = 0;
    int status = 0;  // the module's status byte
};
// {"time":...,"volt1":7.500,"volt2":3.000,"status_byte":0} and, per scaled
// channel, "value1" and "unit1".
std::string StateJson(const Reading& reading, const ModuleScaling& scaling);
// {"code":-403011,"number":403011,"text":"..."}: the code as the driver
// returns it, the number as the window shows it.
std::string ErrorJson(int code, std::string_view text);

// A command's levels as they came, before any check.
struct CommandTopic {
    std::string line;
    std::string address;
    std::string parameter;
};
// The levels of <prefix>/<line>/<address>/set/<parameter>; nullopt for any
// other topic.
std::optional<CommandTopic> ParseCommandTopic(std::string_view prefix, std::string_view topic);

// A command that may go to the line.
struct Command {
    int address = 0;
    const vekzan1::Parameter* parameter = nullptr;
    double value = 0;
};
// Refused before the line: the driver's code for the same refusal when it
// has one (unknown or read-only parameter, value out of range), else 0.
struct Refusal {
    int code = 0;
    std::string reason;
};
// The checks the driver would make, and the payload's number: a plain
// decimal, blanks around it allowed.
std::optional<Command> CheckCommand(const CommandTopic& topic, std::string_view payload,
                                    Refusal* refusal);
// {"parameter":"soll1","code":0,"value":5.000} after the read-back, or
// {"parameter":..., "code":..., "error":"..."}.
std::string ResultJson(std::string_view parameter, int code, std::optional<std::string> value,
                       std::string_view error);

}  // namespace bridge
