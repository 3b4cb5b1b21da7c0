#include "errors/catalogue.h"

#include <algorithm>
#include <array>

namespace vekerror {
namespace {

// The texts are the program's own, typos included; do not correct them.
constexpr std::array kEntries = std::to_array<CatalogueEntry>({
#include "errors/catalogue_rows.inc"
});

// The general error module's 156 entries, two for the recording and two for the traffic log.
static_assert(kEntries.size() == 160);
static_assert(std::ranges::is_sorted(kEntries, std::ranges::greater_equal{},
                                     &CatalogueEntry::number));
static_assert(std::ranges::adjacent_find(kEntries, {}, &CatalogueEntry::number) == kEntries.end(),
              "message numbers must be unique");

}  // namespace

const CatalogueEntry* FindCatalogueEntry(int number) {
    const auto it =
        std::ranges::lower_bound(kEntries, number, std::ranges::greater{}, &CatalogueEntry::number);
    if (it == kEntries.end() || it->number != number) {
        return nullptr;
    }
    return &*it;
}

}  // namespace vekerror
