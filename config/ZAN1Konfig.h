// The scaling record of each controller channel and the settings file
// zan1steuerung.ini in the current directory. Everything runs on the
// user-interface thread and works on gKonfig1, gKonfig2 and the panels.
#pragma once

#include <cstddef>
#include <string_view>

// One channel's straight-line mapping of a volt interval onto a user interval.
// Its byte image is stored unchanged in parameter files: fixed layout, 40 bytes.
struct Konfigstruktur {
    double vmin;        // volts
    double vmax;        // volts
    double einheitmin;  // user value at vmin
    double einheitmax;  // user value at vmax
    char einheit[8];    // unit name, NUL-terminated, at most 5 characters
};

static_assert(sizeof(Konfigstruktur) == 40);
static_assert(offsetof(Konfigstruktur, vmin) == 0);
static_assert(offsetof(Konfigstruktur, vmax) == 8);
static_assert(offsetof(Konfigstruktur, einheitmin) == 16);
static_assert(offsetof(Konfigstruktur, einheitmax) == 24);
static_assert(offsetof(Konfigstruktur, einheit) == 32);

extern Konfigstruktur gKonfig1;
extern Konfigstruktur gKonfig2;

// The unit name up to its terminator (at most the 8 bytes of the field).
std::string_view Einheit(const Konfigstruktur& konfig);
// Stores text cut to 5 bytes, never inside a UTF-8 sequence.
void EinheitSetzen(Konfigstruktur* konfig, std::string_view text);

inline constexpr const char* kIniDateiname = "zan1steuerung.ini";

inline constexpr int kFehlerIniSchreiben = -800108;
inline constexpr int kFehlerIniLesen = -801110;
inline constexpr int kFehlerIniNichtGefunden = -802109;

// Both records to 0..10 V onto 0..10 "V", the identity.
void KonfigstrukturAufStandardwerte();

// Shows gKonfig1 on konfigtabRegler1 and gKonfig2 on konfigtabRegler2; the
// records do not change.
void KonfigStrukturZuGui();

// Reads the settings file into the port and address rings, the zoom limits
// (stored in volts) and the records, then applies the scaling. A channel whose
// stored record is unusable keeps the defaults. 0, kFehlerIniNichtGefunden or
// kFehlerIniLesen; after a failure the records are at their defaults and no
// control has been written.
int LoadIni();

// Writes the rings, both records and the zoom limits (converted to volts with
// gKonfig1). 0 or kFehlerIniSchreiben; on failure the old file stays.
int WriteIni();
