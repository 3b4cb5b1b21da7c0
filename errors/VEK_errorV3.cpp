#include "errors/VEK_errorV3.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "errors/catalogue.h"
#include "platform/utf8.h"

namespace {

constexpr int kEnglish = 2;
// The user text field held 299 characters plus the terminator.
constexpr std::size_t kMaxUserText = 299;

constexpr int kSilentNumber = -6;  // message number shown by no popup
constexpr std::size_t kTitleSize = 52;
constexpr std::size_t kTitle2Size = 100;
constexpr std::size_t kSuffixSize = 20;

int gSprache = 1;
std::string gMeldung;
std::string gUsertext;

// The number the operator sees: the code without its sign.
long long Shown(int code) {
    return -static_cast<long long>(code);
}

}  // namespace

const char* VEK_Fehlermeldung(int code) {
    const int number = code / 1000;  // truncates toward zero: -999 is success
    const bool english = gSprache == kEnglish;
    std::string_view text = english ? vekerror::kDefaultEnglish : vekerror::kDefaultGerman;
    if (const vekerror::CatalogueEntry* entry = vekerror::FindCatalogueEntry(number)) {
        text = english ? entry->english : entry->german;
    }
    gMeldung.assign(text);
    gMeldung += gUsertext;
    gUsertext.clear();
    return gMeldung.c_str();
}

void VEK_Fehlersprache(int language) {
    gSprache = language;
}

int VEK_FehlerspracheLesen() {
    return gSprache;
}

void VEK_Fehleruserstring(const char* text) {
    const std::string_view view = text != nullptr ? std::string_view(text) : std::string_view();
    gUsertext.assign(platform::CutUtf8(view, kMaxUserText));
}

bool VEK_FehlerStill(int code) {
    return code / 1000 == kSilentNumber;
}

std::string VEK_FehlerpopupTitel(int code) {
    char title[kTitleSize];
    std::snprintf(title, sizeof title, gSprache == kEnglish ? "Error #%lld" : "Fehler #%lld",
                  Shown(code));
    return title;
}

std::string VEK_FehlerpopupTitel(int code, const char* title) {
    char suffix[kSuffixSize];
    const int suffixLength = std::snprintf(suffix, sizeof suffix, " #%lld", Shown(code));
    const std::string_view given = title != nullptr ? std::string_view(title) : std::string_view();
    std::string full(
        platform::CutUtf8(given, kTitle2Size - 1 - static_cast<std::size_t>(suffixLength)));
    return full + suffix;
}
