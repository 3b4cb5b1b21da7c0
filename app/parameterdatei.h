// Parameter files in the window: the controller pages, both scaling records
// and the zoom limits saved to and loaded from a file chosen in a file dialog.
// Both commands return 0 for success and for a cancelled dialog, else one of
// the kFehlerParameterdatei* codes.
#pragma once

#include "config/parametersatz.h"

// Fills both controller blocks and the zoom limits from the panels; header,
// version and records stay as they are.
void LeseParameterAusGUI(Parametersatz* satz);
// Writes page 1, the zoom limits, then page 2 from the record.
void SchreibeParameterInGUI(const Parametersatz& satz);

// Save dialog, then the panels and records into the chosen file.
int SchreibeParameterInDatei();
// Load dialog, then every check of the file before the records, the
// configuration panel and the controls take over its contents.
int LeseParameterAusDatei();
