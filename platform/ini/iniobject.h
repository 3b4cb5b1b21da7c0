#pragma once

// Internal layout of the settings object, shared by the object, reader, writer and
// look-up code. Not part of the public interface.

#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/ini.h"

struct IniItem {
    std::string name;
    std::string value;
    bool quoted = false;
};

struct IniSection {
    std::string name;
    std::vector<IniItem> items;
};

struct IniObject {
    bool autoSort = true;
    std::vector<IniSection> sections;
    // Index of the last section found; only trusted after its name is checked again.
    std::size_t lastSection = 0;
};

namespace ini_detail {

// Look-ups take trimmed names. Null when absent; with duplicates, any one of them.
IniSection* FindSection(IniObject& ini, std::string_view name);
const IniItem* FindItem(const IniObject& ini, const IniSection& section, std::string_view name);

// Finds the section or creates it in sorted position (at the end when not sorting).
IniSection& SectionForPut(IniObject& ini, std::string_view name);
void PutItem(IniObject& ini, IniSection& section, IniItem item);

// Sorts the items of every section, then the sections; equal names keep their order.
void SortAll(IniObject& ini);

// Runs the body of an error-code function; allocation failures become a code.
template <typename Body>
int GuardMemory(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return kIniOutOfMemory;
    } catch (const std::length_error&) {
        return kIniOutOfMemory;
    }
}

}  // namespace ini_detail
