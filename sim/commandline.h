// zan1sim's command line.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sim/options.h"

namespace zan1sim {

struct CommandLine {
    Options options;
    std::string link;  // empty: no symbolic link
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. nullopt and a message in *error
// when one is bad; the resulting options have passed CheckOptions.
std::optional<CommandLine> ParseCommandLine(std::span<const std::string_view> args,
                                            std::string* error);

std::string_view Usage();

}  // namespace zan1sim
