#include "platform/ini/ininumber.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "platform/ini/cnumber.h"
#include "platform/ini/initext.h"

namespace ini_detail {
std::string FormatInt(long value) {
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

std::string FormatDouble(double value) {
    // to_chars with a precision is defined as printf in the C locale.
    std::array<char, 64> text{};
    const auto format = [&](int precision) {
        const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                          std::chars_format::general, precision);
        return std::string(text.data(), result.ptr);
    };
    std::string written = format(16);
    // Near the largest double, 16 digits round up past it and would read back as an
    // overflow; those few values get the 17th digit.
    if (std::isfinite(value) && std::abs(value) >= 1e308) {
        double check = 0;
        const auto parsed = std::from_chars(written.data(), written.data() + written.size(), check);
        if (parsed.ec == std::errc::result_out_of_range) {
            written = format(17);
        }
    }
    return written;
}

ParseResult ParseInt(std::string_view text, int* out) {
    if (IsBlank(text)) {
        return ParseResult::kBlank;
    }
    std::string_view rest = Trim(text);
    bool negative = false;
    if (rest.front() == '+' || rest.front() == '-') {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    // from_chars into an unsigned type takes no sign, so a second one is refused there.
    std::uint64_t magnitude = 0;
    const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude);
    if (result.ec != std::errc{} || result.ptr != rest.data() + rest.size()) {
        return ParseResult::kInvalid;
    }
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (magnitude > limit) {
        return ParseResult::kInvalid;
    }
    const auto signedValue = static_cast<std::int64_t>(magnitude);
    *out = static_cast<int>(negative ? -signedValue : signedValue);
    return ParseResult::kOk;
}

ParseResult ParseDouble(std::string_view text, double* out) {
    if (IsBlank(text)) {
        return ParseResult::kBlank;
    }
    if (EqualNoCase(text, "inf") || EqualNoCase(text, "+inf")) {
        *out = std::numeric_limits<double>::infinity();
        return ParseResult::kOk;
    }
    if (EqualNoCase(text, "-inf")) {
        *out = -std::numeric_limits<double>::infinity();
        return ParseResult::kOk;
    }
    std::size_t end = 0;
    int error = 0;
    const double value = StrtodInCLocale(std::string(text), &end, &error);
    *out = value;
    if (end != text.size()) {
        return ParseResult::kInvalid;
    }
    // strtod reports subnormal results as underflow, yet "%.16g" writes such numbers
    // and they read back to within a unit; only a value lost to zero or infinity is
    // out of range.
    const bool lostRange = value == 0.0 || std::isinf(value);
    if (error == ERANGE && lostRange) {
        return ParseResult::kInvalid;
    }
    return ParseResult::kOk;
}

}  // namespace ini_detail
