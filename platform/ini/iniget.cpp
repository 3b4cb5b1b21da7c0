#include <algorithm>
#include <cstring>

#include "platform/ini/ini.h"
#include "platform/ini/ininumber.h"
#include "platform/ini/iniobject.h"
#include "platform/ini/initext.h"

namespace {

const IniItem* Lookup(IniObject& ini, const char* section, const char* item) {
    const IniSection* found = ini_detail::FindSection(ini, ini_detail::Trim(section));
    return found == nullptr ? nullptr : ini_detail::FindItem(ini, *found, ini_detail::Trim(item));
}

// Copies text cut to bufferSize - 1 bytes; a zero-sized buffer is left alone.
void CopyCut(const std::string& text, char* buffer, std::size_t bufferSize) {
    if (bufferSize == 0) return;
    const std::size_t length = std::min(text.size(), bufferSize - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace

int Ini_GetInt(IniHandle ini, const char* section, const char* item, int* out) noexcept {
    if (ini == nullptr || section == nullptr || item == nullptr || out == nullptr) {
        return kIniNullArgument;
    }
    const IniItem* found = Lookup(*ini, section, item);
    if (found == nullptr) {
        return 0;
    }
    switch (ini_detail::ParseInt(found->value, out)) {
        case ini_detail::ParseResult::kBlank:
            return 0;
        case ini_detail::ParseResult::kOk:
            return 1;
        default:
            return kIniNotInteger;
    }
}

int Ini_GetDouble(IniHandle ini, const char* section, const char* item, double* out) noexcept {
    if (ini == nullptr || section == nullptr || item == nullptr || out == nullptr) {
        return kIniNullArgument;
    }
    const IniItem* found = Lookup(*ini, section, item);
    if (found == nullptr) {
        return 0;
    }
    return ini_detail::GuardMemory([&] {
        switch (ini_detail::ParseDouble(found->value, out)) {
            case ini_detail::ParseResult::kBlank:
                return 0;
            case ini_detail::ParseResult::kOk:
                return 1;
            default:
                return kIniNotNumber;
        }
    });
}

int Ini_GetRawStringIntoBuffer(IniHandle ini, const char* section, const char* item, char* buffer,
                               std::size_t bufferSize) noexcept {
    if (ini == nullptr || section == nullptr || item == nullptr || buffer == nullptr) {
        return kIniNullArgument;
    }
    if (bufferSize > 0) {
        buffer[0] = '\0';
    }
    const IniItem* found = Lookup(*ini, section, item);
    if (found == nullptr) {
        return 0;
    }
    CopyCut(found->value, buffer, bufferSize);
    return 1;
}

int Ini_NumberOfSections(IniHandle ini) noexcept {
    if (ini == nullptr) return kIniNullArgument;
    return static_cast<int>(ini->sections.size());
}

int Ini_NthSectionName(IniHandle ini, int index, char* buffer, std::size_t bufferSize) noexcept {
    if (ini == nullptr || buffer == nullptr) return kIniNullArgument;
    if (bufferSize > 0) buffer[0] = '\0';
    if (index < 1 || static_cast<std::size_t>(index) > ini->sections.size()) return 0;
    CopyCut(ini->sections[static_cast<std::size_t>(index) - 1].name, buffer, bufferSize);
    return 1;
}
