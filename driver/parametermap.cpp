#include "driver/parametermap.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vekzan1 {
namespace {

using enum ValueText;

constexpr double kShareLimit = 99999;

constexpr std::array<Parameter, 24> kMap{{
    {"P1", 'P', '1', ControllerShare, -kShareLimit, kShareLimit, -500025},
    {"I1", 'I', '1', ControllerShare, -kShareLimit, kShareLimit, -500026},
    {"D1", 'D', '1', ControllerShare, -kShareLimit, kShareLimit, -500027},
    {"soll1", 'S', '1', ThreeDecimals, 0, 10, -500028},
    {"anfangssoll1", 'S', '5', ThreeDecimals, 0, 10, -500029},
    {"max1", 'H', '1', ThreeDecimals, 0, 10, -500030},
    {"min1", 'L', '1', ThreeDecimals, 0, 10, -500031},
    {"betriebsart1", 'M', '1', Integer, 1, 3, -500032},
    {"anstiegszeit1", 'F', '1', Ramp, 0, 1000, -500033},
    {"stellgroesse1", 'V', '1', ThreeDecimals, 0, 10, -500034},
    {"istwert1", 'V', '5', ReadOnly, 0, 0, 0},
    {"modus1", 'M', '3', FourHexDigits, 0, 1, -500078},
    {"P2", 'P', '2', ControllerShare, -kShareLimit, kShareLimit, -500068},
    {"I2", 'I', '2', ControllerShare, -kShareLimit, kShareLimit, -500069},
    {"D2", 'D', '2', ControllerShare, -kShareLimit, kShareLimit, -500070},
    {"soll2", 'S', '2', ThreeDecimals, 0, 10, -500071},
    {"anfangssoll2", 'S', '6', ThreeDecimals, 0, 10, -500072},
    {"max2", 'H', '2', ThreeDecimals, 0, 10, -500073},
    {"min2", 'L', '2', ThreeDecimals, 0, 10, -500074},
    {"betriebsart2", 'M', '2', Integer, 1, 3, -500075},
    {"anstiegszeit2", 'F', '2', Ramp, 0, 1000, -500076},
    {"stellgroesse2", 'V', '2', ThreeDecimals, 0, 10, -500077},
    {"istwert2", 'V', '6', ReadOnly, 0, 0, 0},
    {"modus2", 'M', '4', FourHexDigits, 0, 1, -500079},
}};

int RampDecimals(double value) {
    if (value < 100) return 3;
    if (value < 1000) return 2;
    return 1;
}

// Fixed-point text independent of the process locale. A value that rounds to
// zero is written without a sign, so the module never sees "-0.000".
std::string Fixed(double value, int decimals) {
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, decimals);
    std::string text(buffer.data(), ec == std::errc{} ? end : buffer.data());
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

}  // namespace

int ControllerShareDecimals(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude < 10) return 4;
    if (magnitude < 100) return 3;
    if (magnitude < 1000) return 2;
    if (magnitude < 10000) return 1;
    return 0;
}

std::span<const Parameter> ParameterMap() {
    return kMap;
}

const Parameter* FindParameter(std::string_view name) {
    for (const Parameter& p : kMap) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

const Parameter* FindParameterByCode(char letter, char digit) {
    for (const Parameter& p : kMap) {
        if (p.codeLetter == letter && p.codeDigit == digit) return &p;
    }
    return nullptr;
}

bool IsWritable(const Parameter& p) {
    return p.text != ReadOnly;
}

bool InRange(const Parameter& p, double value) {
    if (!IsWritable(p) || !std::isfinite(value)) return false;
    if (p.text == Integer) return value == 1 || value == 2 || value == 3;
    return value >= p.min && value <= p.max;
}

std::string FormatValue(const Parameter& p, double value) {
    switch (p.text) {
        case ControllerShare:
            return Fixed(value, ControllerShareDecimals(value));
        case ThreeDecimals:
            return Fixed(value, 3);
        case Ramp:
            return Fixed(value, RampDecimals(value));
        case Integer:
            return Fixed(value, 0);
        case FourHexDigits: {
            std::array<char, 8> hex{};
            const long bit = std::lround(value);
            auto [end, ec] = std::to_chars(hex.data(), hex.data() + hex.size(), bit, 16);
            (void)ec;
            return std::string(4 - (end - hex.data()), '0') + std::string(hex.data(), end);
        }
        case ReadOnly:
            break;
    }
    return {};
}

std::string FormatAnswer(const Parameter& p, double value) {
    switch (p.text) {
        case FourHexDigits:
            return value >= 0.5 ? "1" : "0";
        case ReadOnly:
            return Fixed(value, 3);
        default:
            return FormatValue(p, value);
    }
}

}  // namespace vekzan1
