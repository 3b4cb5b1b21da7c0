#include "sim/valuetext.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zan1sim {
namespace {

using vekzan1::ValueText;

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

bool IsDecimalText(std::string_view text) {
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    if (point == std::string_view::npos) {
        return AllDigits(text);
    }
    return AllDigits(text.substr(0, point)) && AllDigits(text.substr(point + 1));
}

}  // namespace

std::optional<double> ParseAnswerValue(std::string_view text) {
    if (!IsDecimalText(text)) {
        return std::nullopt;
    }
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseWriteValue(const vekzan1::Parameter& parameter, std::string_view text) {
    switch (parameter.text) {
        case ValueText::Integer:
            if (text == "1" || text == "2" || text == "3") {
                return text.front() - '0';
            }
            return std::nullopt;
        case ValueText::FourHexDigits:
            if (text == "0000" || text == "0001") {
                return text.back() - '0';
            }
            return std::nullopt;
        case ValueText::ReadOnly:
            return std::nullopt;
        case ValueText::ControllerShare:
        case ValueText::ThreeDecimals:
        case ValueText::Ramp:
            break;
    }
    return ParseAnswerValue(text);
}

std::string ReadAnswerValue(const vekzan1::Parameter& parameter, double value) {
    return vekzan1::FormatAnswer(parameter, value);
}

}  // namespace zan1sim
