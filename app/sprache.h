// The language the window speaks. German for a locale of de*, and for C,
// POSIX or none, so a machine without a locale keeps the German window;
// English for every other. The first of LANGUAGE (its first entry), LC_ALL,
// LC_MESSAGES and LANG that is set decides; the command line's --language
// de|en goes before all of them. The settings file has no say.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

enum class Sprache { Deutsch, Englisch };

// "de" or "en"; nothing for anything else.
std::optional<Sprache> SpracheAusArgument(std::string_view wert);

// Reads the variables through umgebung (getenv by default).
Sprache SpracheAusUmgebung(const std::function<const char*(const char*)>& umgebung);
