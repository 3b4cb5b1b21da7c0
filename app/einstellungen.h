// The settings file as the window uses it: read into the port and address
// rings, the zoom limits and the scaling at start-up, written from them at the
// end.
#pragma once

// Reads zan1steuerung.ini into the rings, the zoom limits (stored in volts)
// and the records, then applies the scaling. 0, kFehlerIniNichtGefunden or
// kFehlerIniLesen; after a failure the records are at their defaults and no
// control has been written.
int LoadIni();

// Writes the rings, both records and the zoom limits (converted to volts with
// channel 1's record). 0 or kFehlerIniSchreiben; on failure the old file stays.
int WriteIni();
