#include <algorithm>
#include <memory>
#include <utility>

#include "platform/ini/ini.h"
#include "platform/ini/ininumber.h"
#include "platform/ini/iniobject.h"
#include "platform/ini/initext.h"

namespace ini_detail {
namespace {

constexpr auto kByName = [](const auto& a, const auto& b) {
    return CompareNoCase(a.name, b.name) < 0;
};
constexpr auto kNameBelow = [](const auto& entry, std::string_view name) {
    return CompareNoCase(entry.name, name) < 0;
};

// Binary search in sorted lists, first match in unsorted ones.
template <typename List>
auto FindByName(List& list, std::string_view name, bool sorted) {
    if (sorted) {
        const auto it = std::lower_bound(list.begin(), list.end(), name, kNameBelow);
        return (it != list.end() && EqualNoCase(it->name, name)) ? it : list.end();
    }
    return std::find_if(list.begin(), list.end(),
                        [name](const auto& entry) { return EqualNoCase(entry.name, name); });
}

int Put(IniHandle ini, const char* section, const char* item, std::string value, bool quoted) {
    IniSection& target = SectionForPut(*ini, Trim(section));
    PutItem(*ini, target, IniItem{std::string(Trim(item)), std::move(value), quoted});
    return 0;
}

}  // namespace

IniSection* FindSection(IniObject& ini, std::string_view name) {
    auto& sections = ini.sections;
    if (ini.lastSection < sections.size() && EqualNoCase(sections[ini.lastSection].name, name)) {
        return &sections[ini.lastSection];
    }
    const auto it = FindByName(sections, name, ini.autoSort);
    if (it == sections.end()) {
        return nullptr;
    }
    ini.lastSection = static_cast<std::size_t>(it - sections.begin());
    return &*it;
}

const IniItem* FindItem(const IniObject& ini, const IniSection& section, std::string_view name) {
    const auto it = FindByName(section.items, name, ini.autoSort);
    return it == section.items.end() ? nullptr : &*it;
}

IniSection& SectionForPut(IniObject& ini, std::string_view name) {
    if (IniSection* found = FindSection(ini, name)) {
        return *found;
    }
    auto& sections = ini.sections;
    const auto at = ini.autoSort
                        ? std::lower_bound(sections.begin(), sections.end(), name, kNameBelow)
                        : sections.end();
    const auto it = sections.insert(at, IniSection{std::string(name), {}});
    ini.lastSection = static_cast<std::size_t>(it - sections.begin());
    return *it;
}

void PutItem(IniObject& ini, IniSection& section, IniItem item) {
    auto& items = section.items;
    const auto sameName = [&item](const IniItem& other) {
        return EqualNoCase(other.name, item.name);
    };
    auto firstRemoved = std::find_if(items.begin(), items.end(), sameName);
    const auto offset = firstRemoved - items.begin();
    if (firstRemoved != items.end()) {
        items.erase(std::remove_if(firstRemoved, items.end(), sameName), items.end());
    }
    auto at = items.end();
    if (ini.autoSort) {
        at = std::lower_bound(items.begin(), items.end(), item.name, kNameBelow);
    } else if (offset < static_cast<std::ptrdiff_t>(items.size())) {
        at = items.begin() + offset;
    }
    items.insert(at, std::move(item));
}

void SortAll(IniObject& ini) {
    for (IniSection& section : ini.sections) {
        std::stable_sort(section.items.begin(), section.items.end(), kByName);
    }
    std::stable_sort(ini.sections.begin(), ini.sections.end(), kByName);
}

}  // namespace ini_detail

IniHandle Ini_New(int autoSort) noexcept {
    try {
        auto ini = std::make_unique<IniObject>();
        ini->autoSort = autoSort != 0;
        return ini.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void Ini_Dispose(IniHandle ini) noexcept {
    std::unique_ptr<IniObject> owned(ini);
}

IniPtr MakeIni(bool autoSort) noexcept {
    return IniPtr(Ini_New(autoSort ? 1 : 0));
}

int Ini_PutInt(IniHandle ini, const char* section, const char* item, long value) noexcept {
    if (ini == nullptr || section == nullptr || item == nullptr) {
        return kIniNullArgument;
    }
    return ini_detail::GuardMemory(
        [&] { return ini_detail::Put(ini, section, item, ini_detail::FormatInt(value), false); });
}

int Ini_PutDouble(IniHandle ini, const char* section, const char* item, double value) noexcept {
    if (ini == nullptr || section == nullptr || item == nullptr) {
        return kIniNullArgument;
    }
    return ini_detail::GuardMemory([&] {
        return ini_detail::Put(ini, section, item, ini_detail::FormatDouble(value), false);
    });
}

int Ini_PutRawString(IniHandle ini, const char* section, const char* item,
                     const char* text) noexcept {
    if (ini == nullptr || section == nullptr || item == nullptr || text == nullptr) {
        return kIniNullArgument;
    }
    return ini_detail::GuardMemory(
        [&] { return ini_detail::Put(ini, section, item, std::string(text), true); });
}
