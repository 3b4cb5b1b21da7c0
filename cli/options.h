// The command line of zan1ctl, parsed into what a run needs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zan1ctl {

struct Assignment {
    std::string name;
    double value = 0;
};

struct Options {
    int port = 1;
    std::string device;  // empty: the port's mapped device
    std::string trace;   // empty: no trace of the line; "-" standard error
    int address = 1;
    bool english = false;
    bool help = false;
    bool version = false;
    std::string command;
    std::vector<std::string> arguments;
    std::vector<Assignment> assignments;  // set
    double intervalSeconds = 0.1;         // monitor
    long count = 0;                       // monitor; 0 runs until interrupted
};

extern const std::string_view kUsage;

// monitor --interval takes at most a day.
inline constexpr double kMaxIntervalSeconds = 86400;

// The options, or nullopt with a one-line reason when the command line is not usable.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* reason);

}  // namespace zan1ctl
