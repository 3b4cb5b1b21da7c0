// Conversions between volts and a channel's user unit, and the presentation of
// every unit-bearing control (value, range, unit label, precision, increment,
// strip-chart axis). User-interface thread only.
#pragma once

#include "config/konfigstruktur.h"

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

// Sets a numeric control's range from two limits in either order; the minimum
// goes to -infinity first, so the maximum is never refused as below it.
void BereichSetzen(int panel, int control, double a, double b);

// Decimals that keep a 4095th of the user span visible: ceil(-log10(|span| /
// 4095)), at least 0 and at most what a numeric control shows. span must not be NaN.
int Kanalpraezision(double spanne);

// Adopts both configuration pages into gKonfig1 and gKonfig2 and re-presents
// every scaled control; the current numbers are taken as user values of the
// records in force before the call. A page whose record is not
// SkalierungBrauchbar is not adopted: that channel keeps its record and
// presentation, the other one is still adopted. 0, or kFehlerSkalierungRegler1
// (also when both are refused) or kFehlerSkalierungRegler2.
int NeueSkalierungSetzen();

// Display precision of P, I and D on both controller pages from their magnitude.
void SetPrecision();
