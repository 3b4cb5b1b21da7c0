// The message catalogue of VEK_errorV3: 158 entries keyed by message number,
// each with a German and an English text in UTF-8, built from catalogue.tsv.
#pragma once

#include <string_view>

namespace vekerror {

struct CatalogueEntry {
    int number;
    std::string_view german;
    std::string_view english;
};

inline constexpr std::string_view kDefaultGerman = "Ein unbekannter Fehler ist aufgetreten";
inline constexpr std::string_view kDefaultEnglish = "A unknown error occured";

// nullptr when the number has no entry; the caller then uses the default texts.
const CatalogueEntry* FindCatalogueEntry(int number);

}  // namespace vekerror
