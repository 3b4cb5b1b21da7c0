#include "sim/commandline.h"

#include <algorithm>

namespace zan1sim {
namespace {

std::optional<int> ParseAddress(std::string_view text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '8') {
        return text[0] - '0';
    }
    return std::nullopt;
}

// "ADDR" or "ADDR=ID"; a foreign device needs its ID.
std::optional<Device> ParseDevice(std::string_view text, bool foreign) {
    const auto eq = text.find('=');
    const auto address = ParseAddress(text.substr(0, eq));
    if (!address) {
        return std::nullopt;
    }
    if (eq == std::string_view::npos) {
        if (foreign) {
            return std::nullopt;
        }
        return Device{*address, std::string(kDefaultIdentification), false};
    }
    const std::string_view id = text.substr(eq + 1);
    if (!IsValidIdentification(id)) {
        return std::nullopt;
    }
    return Device{*address, std::string(id), foreign};
}

std::optional<std::pair<int, Fault>> ParseFaultOption(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto address = ParseAddress(text.substr(0, colon));
    const auto fault = ParseFault(text.substr(colon + 1));
    if (!address || !fault) {
        return std::nullopt;
    }
    return std::pair{*address, *fault};
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(std::span<const std::string_view> args,
                                            std::string* error) {
    CommandLine result;
    auto fail = [error](std::string message) -> std::optional<CommandLine> {
        if (error) {
            *error = std::move(message);
        }
        return std::nullopt;
    };
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string_view arg = args[k];
        if (arg == "--help") {
            result.help = true;
            continue;
        }
        if (arg == "--version") {
            result.version = true;
            continue;
        }
        if (arg == "--realtime") {
            result.options.realtime = true;
            continue;
        }
        if (arg != "--link" && arg != "--module" && arg != "--foreign" && arg != "--fault") {
            return fail("unknown argument " + std::string(arg));
        }
        if (k + 1 == args.size()) {
            return fail(std::string(arg) + " needs a value");
        }
        const std::string_view value = args[++k];
        const std::string bad = "bad value for " + std::string(arg) + ": " + std::string(value);
        if (arg == "--link") {
            if (!result.link.empty() || value.empty()) {
                return fail(value.empty() ? bad : "--link given twice");
            }
            result.link = value;
        } else if (arg == "--fault") {
            const auto fault = ParseFaultOption(value);
            if (!fault) {
                return fail(bad);
            }
            result.options.faults.push_back(*fault);
        } else {
            const auto device = ParseDevice(value, arg == "--foreign");
            if (!device) {
                return fail(bad);
            }
            result.options.devices.push_back(*device);
        }
    }
    if (result.help) {
        return result;
    }
    // Foreign devices alone would leave out the default module.
    const bool anyModule = std::any_of(result.options.devices.begin(), result.options.devices.end(),
                                       [](const Device& d) { return !d.foreign; });
    if (!anyModule && !result.options.devices.empty()) {
        result.options.devices.insert(result.options.devices.begin(),
                                      Device{1, std::string(kDefaultIdentification)});
    }
    if (std::string problem = CheckOptions(result.options); !problem.empty()) {
        return fail(std::move(problem));
    }
    return result;
}

std::string_view Usage() {
    return "Usage: zan1sim [--link PATH] [--module ADDR[=ID]]... [--foreign ADDR=ID]...\n"
           "               [--realtime] [--fault ADDR:KIND]...\n"
           "Simulates ZAN-1 modules on a pseudo-terminal; prints the terminal's path first\n"
           "and serves it until SIGINT or SIGTERM.\n"
           "  --link PATH         also make PATH a symbolic link to the terminal\n"
           "  --module ADDR[=ID]  a ZAN-1 module at address 1..8 (ID default VEK-ZAN1B-SIM);\n"
           "                      without --module, one module at address 1\n"
           "  --foreign ADDR=ID   another device that only answers the identification request\n"
           "  --realtime          pace answers like a 9600-baud line, 2 ms turn-around\n"
           "  --fault ADDR:KIND   KIND one of silent, nak, can, garbled, cut, highbit\n"
           "  --help              show this text\n"
           "  --version           show the version\n"
           "ID: one word of at most 26 printable ASCII characters.\n";
}

}  // namespace zan1sim
