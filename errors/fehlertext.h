// The error text the operator sees: the catalogue's message for a code and,
// when the code comes from a failed serial-port operation whose reason the
// system gave, the device and that reason appended through the user text, as
// in "Fehler beim öffnen der seriellen Schnittstelle (/dev/ttyUSB0: keine
// Berechtigung; ...)"; likewise the file and the reason when opening or
// writing the traffic log failed. Used by the error display, the popups and
// zan1ctl.
#pragma once

// VEK_Fehlermeldung(code), after setting the user text to the port's reason
// (replacing a pending one) when there is one. Forgets the port's failure
// either way, and the traffic log's with a code of the traffic log, so a
// reason is shown once. Same pointer rules as VEK_Fehlermeldung.
const char* Fehlertext(int code);
