#include "platform/ini/initext.h"

#include <algorithm>

namespace ini_detail {

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsSpace);
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        // Compare as unsigned bytes so names with high-bit bytes sort after ASCII.
        const auto ca = static_cast<unsigned char>(ToLower(a[i]));
        const auto cb = static_cast<unsigned char>(ToLower(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace ini_detail
