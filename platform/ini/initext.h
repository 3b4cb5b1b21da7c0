#pragma once

// Byte-wise text helpers for names and values. White space and letter case follow the
// C locale whatever the process locale is, so files read the same everywhere.

#include <string_view>

namespace ini_detail {

constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr char ToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
std::string_view Trim(std::string_view text);
bool IsBlank(std::string_view text);

// <0, 0, >0 like strcmp, ignoring letter case.
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

}  // namespace ini_detail
