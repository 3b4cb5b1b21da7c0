// Conversions between volts and a channel's user unit, and what a scaling
// makes of the ranges, precision and unit labels of a channel's quantities.
// Pure functions of the scaling record; showing them is the window's job.
#pragma once

#include <string>
#include <utility>

#include "config/konfigstruktur.h"

// The module's fixed spans, in volts and volts per second.
inline constexpr double kSpannungMin = 0.0;
inline constexpr double kSpannungMax = 10.0;
inline constexpr double kAnstiegMax = 1000.0;
// The most decimals a channel precision asks for.
inline constexpr int kPraezisionMax = 15;

// Refused scaling on the configuration page of channel 1 or 2.
inline constexpr int kFehlerSkalierungRegler1 = -500111;
inline constexpr int kFehlerSkalierungRegler2 = -500112;

// user = (volt - vmin) * ((einheitmax - einheitmin) / (vmax - vmin)) + einheitmin
double Umrechnen_VoltZuBenutzereinheit(double volt, const Konfigstruktur& konfig);
// volt = (wert - einheitmin) * ((vmax - vmin) / (einheitmax - einheitmin)) + vmin
double Umrechnen_BenutzereinheitZuVolt(double wert, const Konfigstruktur& konfig);

// True when both conversions and everything derived from them stay finite:
// finite fields, vmin != vmax, einheitmin != einheitmax, and the user values of
// 0 V, 10 V and 1000 V finite with 0 V and 10 V apart.
bool SkalierungBrauchbar(const Konfigstruktur& konfig);

// Decimals that keep a 4095th of the user span visible: ceil(-log10(|span| /
// 4095)), at least 0 and at most kPraezisionMax. span must not be NaN.
int Kanalpraezision(double spanne);

// A channel's quantities under a scaling, in its user unit. The ends are the
// user values of the volt ends, so a falling mapping has min above max.
struct Kanalbereich {
    double sollMin;   // 0 V
    double sollMax;   // 10 V
    double rampeMin;  // 0 V/s
    double rampeMax;  // 1000 V/s
    int praezision;   // of setpoints and actual values
};
Kanalbereich Bereich(const Konfigstruktur& konfig);

// "[unit]" and "[unit/s]" for the unit labels.
std::string Einheitstext(const Konfigstruktur& konfig);
std::string EinheitProSekundeText(const Konfigstruktur& konfig);

// The chart zoom's range in channel 1's unit: both channels' setpoint ranges
// together, sorted.
std::pair<double, double> Zoombereich(const Konfigstruktur& konfig1, const Konfigstruktur& konfig2);
