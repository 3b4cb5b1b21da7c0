// Reads arbitrary bytes as a settings file: into an INI object, whose names
// must come out trimmed and sorted and whose items must all be found with a
// code of their own kind; as the port map; and at start-up, after which the
// scalings must be usable and must survive the program's own write at the end.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "platform/ini/iniobject.h"
#include "platform/ini/initext.h"
#include "platform/rs232/portmap.h"

namespace {

using ini_detail::CompareNoCase;

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

bool Sorted(const auto& list) {
    return std::is_sorted(list.begin(), list.end(),
                          [](auto& a, auto& b) { return CompareNoCase(a.name, b.name) < 0; });
}

bool WellFormedName(std::string_view name) {
    return !name.empty() && ini_detail::Trim(name) == name &&
           name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

void CheckObject(IniObject& ini, std::size_t size) {
    Check(Sorted(ini.sections));
    std::vector<char> buffer(size + 1);
    for (std::size_t k = 0; k < ini.sections.size(); ++k) {
        const IniSection& section = ini.sections[k];
        Check(WellFormedName(section.name) && Sorted(section.items));
        // A look-up may take either of two sections of the same name.
        const auto same = [&](std::size_t j) {
            return j < ini.sections.size() &&
                   CompareNoCase(ini.sections[j].name, section.name) == 0;
        };
        const bool unique = !same(k - 1) && !same(k + 1);
        for (const IniItem& item : section.items) {
            Check(WellFormedName(item.name) && item.name.find('=') == std::string::npos &&
                  item.value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
            const char* s = section.name.c_str();
            const char* i = item.name.c_str();
            int integer = 0;
            double number = 0;
            const int asInt = Ini_GetInt(&ini, s, i, &integer);
            const int asDouble = Ini_GetDouble(&ini, s, i, &number);
            const int asText = Ini_GetRawStringIntoBuffer(&ini, s, i, buffer.data(), buffer.size());
            const std::string_view text = buffer.data();
            Check((asInt == 0 || asInt == 1 || asInt == kIniNotInteger) &&
                  (asDouble == 0 || asDouble == 1 || asDouble == kIniNotNumber) &&
                  (asText == 1 || !unique));
            // An integer is a number too, unless blanks follow it (strtod stops there).
            if (asInt == 1 && !ini_detail::IsSpace(text.back()))
                Check(asDouble == 1 && number == integer);
        }
    }
}

Einstellungen LoadSettings() {
    Einstellungen e;
    Check(EinstellungenLesen(kIniDateiname, &e) == 0);
    Check(e.comport.value_or(1) >= 1 && e.comport.value_or(8) <= 8);
    Check(e.adresse.value_or(1) >= 1 && e.adresse.value_or(9) <= 9);
    for (const Konfigstruktur& k : {e.konfig1, e.konfig2}) {
        Check(SkalierungBrauchbar(k) && Einheit(k).size() <= kEinheitMaxBytes);
    }
    return e;
}

bool Near(double a, double b) {
    return std::fabs(a - b) <= 1e-12 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

bool Same(const Konfigstruktur& a, const Konfigstruktur& b) {
    return Near(a.vmin, b.vmin) && Near(a.vmax, b.vmax) && Near(a.einheitmin, b.einheitmin) &&
           Near(a.einheitmax, b.einheitmax) && Einheit(a) == Einheit(b);
}

// The settings files live in a directory of their own in memory, so every
// run's writes stay cheap; the run works there and returns to where it was.
struct WorkingDirectory {
    std::filesystem::path path;
    std::filesystem::path previous = std::filesystem::current_path();
    WorkingDirectory() {
        const bool shm = std::filesystem::is_directory("/dev/shm");
        std::string pattern =
            (shm ? "/dev/shm" : std::filesystem::temp_directory_path()) / "zan1fuzz.XXXXXX";
        Check(mkdtemp(pattern.data()) != nullptr);
        path = pattern;
        std::filesystem::create_symlink(kIniDateiname, path / rs232::kPortMapFile);
    }
    ~WorkingDirectory() { std::filesystem::remove_all(path); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const WorkingDirectory directory;
    std::filesystem::current_path(directory.path);
    const int fd = open(kIniDateiname, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Check(fd >= 0 && write(fd, data, size) == static_cast<ssize_t>(size) && close(fd) == 0);

    const IniPtr ini = MakeIni(true);
    Check(Ini_ReadFromFile(ini.get(), kIniDateiname) == 0);
    CheckObject(*ini, size);
    Check(!rs232::DeviceForPort(1 + size % 8).empty());

    const Einstellungen first = LoadSettings();
    Check(EinstellungenSchreiben(kIniDateiname, first) == 0);
    const Einstellungen again = LoadSettings();
    Check(again.comport == first.comport && again.adresse == first.adresse &&
          Same(again.konfig1, first.konfig1) && Same(again.konfig2, first.konfig2) &&
          again.zoomMinVolt.has_value() == first.zoomMinVolt.has_value() &&
          again.zoomMaxVolt.has_value() == first.zoomMaxVolt.has_value());
    std::filesystem::current_path(directory.previous);
    return 0;
}
