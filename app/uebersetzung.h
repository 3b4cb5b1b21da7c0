// The window's texts are German in the code; Fenster::tr gives one in the
// language the window shows (i18n/zan1steuerung_en.ts holds the English
// ones, "Fenster" is their context there). lupdate finds every text written as
// Fenster::tr("..."). In a text with %1, %2, Einsetzen puts the values in.
#pragma once

#include <initializer_list>
#include <string>

struct Fenster {
    static std::string tr(const char* text);
};

std::string Einsetzen(std::string text, std::initializer_list<std::string> werte);
