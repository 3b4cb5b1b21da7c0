// The settings file zan1steuerung.ini: the port and the bus address, both
// scaling records and the chart's zoom limits (stored in volts), read and
// written as one value. Knows nothing of panels.
#pragma once

#include <optional>
#include <string>

#include "config/konfigstruktur.h"

inline constexpr const char* kIniDateiname = "zan1steuerung.ini";

inline constexpr int kFehlerIniSchreiben = -800108;
inline constexpr int kFehlerIniLesen = -801110;
inline constexpr int kFehlerIniNichtGefunden = -802109;

struct Einstellungen {
    std::optional<int> adresse;  // 1..9, 9 addressing every module
    std::optional<int> comport;  // 1..8
    Konfigstruktur konfig1 = kStandardKonfig;
    Konfigstruktur konfig2 = kStandardKonfig;
    std::optional<double> zoomMinVolt;
    std::optional<double> zoomMaxVolt;
};

// Reads the file into *e, which starts from a fresh Einstellungen: a key that
// is missing, unreadable or out of range stays empty (a real keeps the
// default field), a missing unit is the empty text, and a channel whose
// stored record is unusable keeps the defaults. 0, kFehlerIniNichtGefunden or
// kFehlerIniLesen; after a failure *e is fresh.
int EinstellungenLesen(const std::string& datei, Einstellungen* e);

// Writes every key that e holds (the file of the window holds all fourteen).
// 0 or kFehlerIniSchreiben; on failure the old file stays.
int EinstellungenSchreiben(const std::string& datei, const Einstellungen& e);
