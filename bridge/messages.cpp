#include "bridge/messages.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "config/ZAN1Func.h"
#include "platform/utf8.h"

namespace bridge {
namespace {

constexpr std::string_view kSet = "set";

// A scaling may span up to 1e300 user units: the largest double has 309 digits
// before the point.
std::string Fixed(double value, int decimals) {
    std::array<char, 320 + kPraezisionMax> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::fixed, decimals)
                         .ptr;
    return std::string(text.data(), end);
}

std::string_view NextLevel(std::string_view* rest) {
    const auto slash = rest->find('/');
    const std::string_view level = rest->substr(0, slash);
    rest->remove_prefix(slash == std::string_view::npos ? rest->size() : slash + 1);
    return level;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string ModuleTopic(const std::string& prefix, const std::string& line, int address,
                        std::string_view leaf) {
    std::string topic = prefix + '/' + line + '/' + std::to_string(address);
    topic += '/';
    topic += leaf;
    return topic;
}

std::string BridgeStatusTopic(const std::string& prefix) {
    return prefix + "/bridge/status";
}

std::string CommandFilter(const std::string& prefix) {
    return prefix + "/+/+/set/+";
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const auto point = platform::NextCodePoint(text, &pos);
        if (!point) {
            out += "\\ufffd";
            ++pos;
        } else if (*point == '"' || *point == '\\') {
            out += '\\';
            out += static_cast<char>(*point);
        } else if (*point < 0x20 || *point == 0x7f) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(*point));
            out += escape.data();
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    return out + '"';
}

std::string IsoUtc(std::chrono::system_clock::time_point time) {
    const auto ms = std::chrono::floor<std::chrono::milliseconds>(time).time_since_epoch().count();
    const std::time_t seconds = static_cast<std::time_t>(std::floor(ms / 1000.0));
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 96> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ",
                  utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                  utc.tm_sec, static_cast<int>(((ms % 1000) + 1000) % 1000));
    return text.data();
}

std::string StateJson(const Reading& reading, const ModuleScaling& scaling) {
    std::string json = "{\"time\":\"" + IsoUtc(reading.time) +
                       "\",\"volt1\":" + Fixed(reading.volt1, 3) +
                       ",\"volt2\":" + Fixed(reading.volt2, 3) +
                       ",\"status_byte\":" + std::to_string(reading.status);
    const double volts[] = {reading.volt1, reading.volt2};
    for (int channel = 0; channel < 2; ++channel) {
        if (!scaling[channel]) continue;
        const Konfigstruktur& konfig = *scaling[channel];
        const std::string n = std::to_string(channel + 1);
        const double value = Umrechnen_VoltZuBenutzereinheit(volts[channel], konfig);
        json += ",\"value" + n +
                "\":" + Fixed(value, Kanalpraezision(konfig.einheitmax - konfig.einheitmin)) +
                ",\"unit" + n + "\":" + JsonString(Einheit(konfig));
    }
    return json + '}';
}

std::string ErrorJson(int code, std::string_view text) {
    return "{\"code\":" + std::to_string(code) +
           ",\"number\":" + std::to_string(-static_cast<long long>(code)) +
           ",\"text\":" + JsonString(text) + '}';
}

std::optional<CommandTopic> ParseCommandTopic(std::string_view prefix, std::string_view topic) {
    if (!topic.starts_with(prefix) || topic.substr(prefix.size(), 1) != "/") return std::nullopt;
    std::string_view rest = topic.substr(prefix.size() + 1);
    CommandTopic command;
    command.line = NextLevel(&rest);
    command.address = NextLevel(&rest);
    if (NextLevel(&rest) != kSet || rest.find('/') != std::string_view::npos) return std::nullopt;
    command.parameter = rest;
    if (command.line.empty() || command.address.empty() || command.parameter.empty()) {
        return std::nullopt;
    }
    return command;
}

std::optional<Command> CheckCommand(const CommandTopic& topic, std::string_view payload,
                                    Refusal* refusal) {
    Command command;
    if (topic.address.size() != 1 || topic.address[0] < '1' || topic.address[0] > '8') {
        *refusal = {0, "the bus address must be 1 to 8"};
        return std::nullopt;
    }
    command.address = topic.address[0] - '0';
    command.parameter = vekzan1::FindParameter(topic.parameter);
    if (!command.parameter || !vekzan1::IsWritable(*command.parameter)) {
        *refusal = {-401035, "no parameter that can be written: " + topic.parameter};
        return std::nullopt;
    }
    const std::string_view text = Trimmed(payload);
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, command.value);
    if (text.empty() || parsed.ec != std::errc{} || parsed.ptr != end) {
        *refusal = {0, "the value must be a number with a decimal point, such as 7.5"};
        return std::nullopt;
    }
    if (!vekzan1::InRange(*command.parameter, command.value)) {
        *refusal = {command.parameter->rangeCode, "the value is outside the parameter's range"};
        return std::nullopt;
    }
    return command;
}

std::string ResultJson(std::string_view parameter, int code, std::optional<std::string> value,
                       std::string_view error) {
    std::string json =
        "{\"parameter\":" + JsonString(parameter) + ",\"code\":" + std::to_string(code);
    if (value) json += ",\"value\":" + *value;
    if (!error.empty()) json += ",\"error\":" + JsonString(error);
    return json + '}';
}

}  // namespace bridge
