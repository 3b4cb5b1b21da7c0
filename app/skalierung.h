// The scaling as the window shows it: the configuration pages, every control
// that carries a channel's user unit (value, range, unit label, precision,
// increment, strip-chart axis) and the precision of P, I and D. Works on the
// running program's records and the panels.
#pragma once

#include "config/konfigstruktur.h"

// Both records to 0..10 V onto 0..10 "V", the identity.
void KonfigstrukturAufStandardwerte();

// Shows the records on the configuration pages; the records do not change.
void KonfigStrukturZuGui();
// Shows one record on one configuration page.
void KonfigZuSeite(int seite, const Konfigstruktur& konfig);

// Sets a numeric control's range from two limits in either order; the minimum
// goes to -infinity first, so the maximum is never refused as below it.
void BereichSetzen(int panel, int control, double a, double b);

// Adopts both configuration pages into the records and re-presents every
// scaled control; the current numbers are taken as user values of the records
// in force before the call. A page whose record is not SkalierungBrauchbar is
// not adopted: that channel keeps its record and presentation, the other one
// is still adopted. 0, or kFehlerSkalierungRegler1 (also when both are
// refused) or kFehlerSkalierungRegler2.
int NeueSkalierungSetzen();

// The strip chart's legend: each trace's channel and unit.
void DiagrammBeschriften();

// Display precision of P, I and D on both controller pages from their magnitude.
void SetPrecision();
