// The settings file zan1steuerung.ini in the current directory and the
// defaults of the scaling records. Everything runs on the user-interface
// thread and works on gKonfig1, gKonfig2 and the panels.
#pragma once

#include "config/konfigstruktur.h"

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
