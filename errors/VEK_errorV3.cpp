#include "errors/VEK_errorV3.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "errors/catalogue.h"

namespace {

constexpr int kEnglish = 2;
// The user text field held 299 characters plus the terminator.
constexpr std::size_t kMaxUserText = 299;

int gSprache = 1;
std::string gMeldung;
std::string gUsertext;

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
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

void VEK_Fehleruserstring(const char* text) {
    std::string_view view = text != nullptr ? std::string_view(text) : std::string_view();
    if (view.size() > kMaxUserText) {
        std::size_t cut = kMaxUserText;
        while (cut > 0 && IsUtf8Continuation(view[cut])) {
            --cut;
        }
        view = view.substr(0, cut);
    }
    gUsertext.assign(view);
}
