#include <cctype>
#include <cerrno>
#include <charconv>

#include "platform/ini/cnumber.h"

namespace ini_detail {

// The C library of Windows reads numbers in the process locale and knows no
// "inf" or "nan"; from_chars needs no locale but takes neither leading blanks
// nor a plus sign, which strtod does.
double StrtodInCLocale(const std::string& text, std::size_t* end, int* error) {
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    if (start + 1 < text.size() && text[start] == '+' && text[start + 1] != '-') ++start;
    double value = 0.0;
    const char* first = text.data() + start;
    const auto [stop, ec] = std::from_chars(first, text.data() + text.size(), value);
    *end = stop == first ? 0 : static_cast<std::size_t>(stop - text.data());
    *error = ec == std::errc::result_out_of_range ? ERANGE : 0;
    // Without a value of its own, an out-of-range number reads as lost.
    return ec == std::errc::result_out_of_range ? 0.0 : value;
}

}  // namespace ini_detail
