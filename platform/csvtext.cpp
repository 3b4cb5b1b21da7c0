#include "platform/csvtext.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace platform {

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendFixed(std::string& out, double value, int decimals) {
    // Room for the largest double written out in full with 80 decimals.
    std::array<char, 400> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value,
                                      std::chars_format::fixed, std::clamp(decimals, 0, 80));
    out.append(text.data(), result.ptr);
}

}  // namespace platform
