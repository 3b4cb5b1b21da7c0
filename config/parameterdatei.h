// Parameter files: the controller pages, both scaling records and the zoom
// limits saved to and loaded from a 280-byte file chosen in a file dialog.
// User-interface thread only. Every function returns 0 for success and for a
// cancelled dialog, else one of the kFehlerParameterdatei* codes.
#pragma once

#include "config/parametersatz.h"

// Fills both controller blocks and the zoom limits from the panels; header,
// version and records stay as they are.
void LeseParameterAusGUI(Parametersatz* satz);
// Writes page 1, the zoom limits, then page 2 from the record.
void SchreibeParameterInGUI(const Parametersatz& satz);

// Save dialog, then the panels and records into the chosen file. The file is
// written beside the target (the file a link ends in) and renamed over it only
// when complete, keeping its mode, so a failed save leaves an existing file as
// it was and no temporary file. A target that is not a regular file is refused
// as one that does not open.
int SchreibeParameterInDatei();
// Load dialog, then every check of the file before the records, the
// configuration panel and the controls take over its contents.
int LeseParameterAusDatei();
