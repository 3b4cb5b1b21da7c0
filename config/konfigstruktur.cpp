#include "config/konfigstruktur.h"

#include <cstring>

#include "platform/utf8.h"

std::string_view Einheit(const Konfigstruktur& konfig) {
    return {konfig.einheit, strnlen(konfig.einheit, sizeof konfig.einheit)};
}

void EinheitSetzen(Konfigstruktur* konfig, std::string_view text) {
    // A unit that fits stays as it is, so reading it back never shortens it.
    const std::string_view gekuerzt =
        text.size() <= kEinheitMaxBytes ? text : platform::CutUtf8(text, kEinheitMaxBytes);
    std::memset(konfig->einheit, 0, sizeof konfig->einheit);
    std::memcpy(konfig->einheit, gekuerzt.data(), gekuerzt.size());
}
