#include "cli/options.h"

#include <charconv>

#include "platform/rs232/rs232.h"

namespace zan1ctl {

const std::string_view kUsage =
    "usage: zan1ctl [--port N | --device PATH] [--address A] [--english] [--trace FILE]\n"
    "               COMMAND [ARGS...]\n"
    "       zan1ctl --help | --version\n"
    "  scan                  one line per address 1..8: \"<address> <identification>\" or "
    "\"<address> -\"\n"
    "  id                    the identification text of the module at the address\n"
    "  get NAME...           one line \"NAME=VALUE\" per parameter, in volts as the module "
    "sends them\n"
    "  set NAME=VALUE...     writes in the given order and stops at the first failure\n"
    "  status                the status byte, as \"31 (0x1F)\"\n"
    "  monitor [--interval S] [--count N]   CSV with the header "
    "\"t_s,istwert1_V,istwert2_V\"\n"
    "  ports                 the serial devices of this machine and the others zan1ports.ini "
    "maps,\n"
    "                        with their port numbers; opens no port\n"
    "NAME, for get and set (istwert1 and istwert2 only for get):\n"
    "    P1 I1 D1 soll1 anfangssoll1 max1 min1 betriebsart1\n"
    "    anstiegszeit1 stellgroesse1 istwert1 modus1\n"
    "    P2 I2 D2 soll2 anfangssoll2 max2 min2 betriebsart2\n"
    "    anstiegszeit2 stellgroesse2 istwert2 modus2\n"
    "PATH is a serial device, or tcp://HOST:PORT for a serial device server in raw TCP mode.\n"
    "--trace appends every byte on the line to FILE, one line per frame; - is standard error.\n"
    "Defaults: port 1, address 1, German error texts; monitor polls every 0.1 s until "
    "interrupted.\n";

namespace {

using rs232::kFirstPort;
using rs232::kLastPort;

template <typename Number>
bool ParseWhole(std::string_view text, Number& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

bool IsCommand(std::string_view word) {
    for (std::string_view known : {"scan", "id", "get", "set", "status", "monitor", "ports"}) {
        if (word == known) return true;
    }
    return false;
}

std::optional<Options> Fail(std::string* reason, std::string text) {
    *reason = std::move(text);
    return std::nullopt;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* reason) {
    Options options;
    bool portGiven = false;
    bool addressGiven = false;
    std::size_t i = 0;
    const auto value = [&]() -> const std::string* {
        return i + 1 < args.size() ? &args[++i] : nullptr;
    };
    for (; i < args.size() && options.command.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg == "--version") {
            options.version = true;
            return options;
        }
        if (arg == "--english") {
            options.english = true;
        } else if (arg == "--port") {
            const std::string* text = value();
            if (!text || !ParseWhole(*text, options.port) || options.port < kFirstPort ||
                options.port > kLastPort) {
                return Fail(reason, "--port needs a number from 1 to 8");
            }
            portGiven = true;
        } else if (arg == "--device") {
            const std::string* text = value();
            if (!text || text->empty()) return Fail(reason, "--device needs a path");
            options.device = *text;
        } else if (arg == "--trace") {
            const std::string* text = value();
            if (!text || text->empty()) return Fail(reason, "--trace needs a file, or -");
            options.trace = *text;
        } else if (arg == "--address") {
            const std::string* text = value();
            if (!text || !ParseWhole(*text, options.address)) {
                return Fail(reason, "--address needs a number");
            }
            addressGiven = true;
        } else if (IsCommand(arg)) {
            options.command = arg;
        } else {
            return Fail(reason, "unknown option or command: " + arg);
        }
    }
    if (options.command.empty()) return Fail(reason, "no command given");
    if (portGiven && !options.device.empty()) {
        return Fail(reason, "--port and --device exclude each other");
    }
    if (options.command == "ports" && (portGiven || addressGiven || !options.device.empty())) {
        return Fail(reason, "ports lists every port: it takes no --port, --device or --address");
    }
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options.command == "monitor" && arg == "--interval") {
            const std::string* text = value();
            if (!text || !ParseWhole(*text, options.intervalSeconds) ||
                !(options.intervalSeconds > 0) ||
                !(options.intervalSeconds <= kMaxIntervalSeconds)) {
                return Fail(reason, "--interval needs a positive number of seconds, at most 86400");
            }
        } else if (options.command == "monitor" && arg == "--count") {
            const std::string* text = value();
            if (!text || !ParseWhole(*text, options.count) || options.count < 1) {
                return Fail(reason, "--count needs a positive whole number");
            }
        } else {
            options.arguments.push_back(arg);
        }
    }
    if (options.command == "set") {
        for (const std::string& pair : options.arguments) {
            const auto equals = pair.find('=');
            Assignment assignment;
            if (equals == std::string::npos || equals == 0 ||
                !ParseWhole(std::string_view(pair).substr(equals + 1), assignment.value)) {
                return Fail(reason, "set needs NAME=VALUE with a number: " + pair);
            }
            assignment.name = pair.substr(0, equals);
            options.assignments.push_back(std::move(assignment));
        }
    }
    const bool takesArguments = options.command == "get" || options.command == "set";
    if (takesArguments && options.arguments.empty()) {
        return Fail(reason, options.command + " needs at least one parameter");
    }
    if (!takesArguments && !options.arguments.empty()) {
        return Fail(reason, "unexpected argument: " + options.arguments.front());
    }
    return options;
}

}  // namespace zan1ctl
