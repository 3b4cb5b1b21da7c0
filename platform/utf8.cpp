#include "platform/utf8.h"

#include <algorithm>

namespace platform {
namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t* pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(*pos);
    if (lead < 0x80) {
        ++*pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (*pos + length > text.size()) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(text[*pos + i])) return std::nullopt;
        value = (value << 6) | (byte(*pos + i) & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    *pos += length;
    return value;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (!NextCodePoint(text, &pos)) return false;
    }
    return true;
}

void AppendUtf8(char32_t codePoint, std::string* text) {
    if (codePoint < 0x80) {
        text->push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        text->push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        text->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        text->push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        text->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        text->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

std::string_view CutUtf8(std::string_view text, std::size_t maxBytes) {
    text = text.substr(0, maxBytes);
    std::size_t start = text.size();
    while (start > 0 && IsContinuation(text[start - 1])) {
        --start;
    }
    if (start == 0) return text;
    const auto lead = static_cast<unsigned char>(text[start - 1]);
    const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return text.size() - (start - 1) < needed ? text.substr(0, start - 1) : text;
}

std::size_t CountCharacters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

}  // namespace platform
