#include "app/sprache.h"

#include <string>

std::optional<Sprache> SpracheAusArgument(std::string_view wert) {
    if (wert == "de") return Sprache::Deutsch;
    if (wert == "en") return Sprache::Englisch;
    return std::nullopt;
}

Sprache SpracheAusUmgebung(const std::function<const char*(const char*)>& umgebung) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* wert = umgebung(name);
        if (!wert || !*wert) continue;
        std::string locale(wert);
        locale = locale.substr(0, locale.find(':'));  // LANGUAGE lists several
        if (locale.empty()) continue;
        const bool deutsch = locale.starts_with("de") || locale == "C" ||
                             locale.starts_with("C.") || locale == "POSIX";
        return deutsch ? Sprache::Deutsch : Sprache::Englisch;
    }
    return Sprache::Deutsch;
}
