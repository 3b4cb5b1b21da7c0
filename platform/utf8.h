// UTF-8 helpers for the program's texts: unit names, control texts and error
// texts are UTF-8 inside the program and are cut or counted by character.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The next code point of valid UTF-8 at text[*pos], advancing *pos; nullopt
// (and *pos unchanged) on an invalid, overlong or cut-short sequence.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t* pos);

bool IsValidUtf8(std::string_view text);

// Appends a code point below U+10000 (all that Windows-1252 maps to).
void AppendUtf8(char32_t codePoint, std::string* text);

// The first maxBytes bytes of text without a sequence cut short at the end, so
// a text cut elsewhere before (a fixed-size buffer) is mended as well.
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes);

// Characters, not bytes: "µV/s" has four.
std::size_t CountCharacters(std::string_view text);

}  // namespace platform
