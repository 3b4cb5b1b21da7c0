// The error text the operator sees for a result: the catalogue's message for
// its code in the current language, and the reason the result carries: the
// device and why for a failed serial-port step ("Fehler beim öffnen der
// seriellen Schnittstelle (/dev/ttyUSB0: keine Berechtigung; ...)"), the file
// and why for a file step, or the system's text for an errno. A port reason is
// shown only with a code of a port step. Used by the window and zan1ctl.
#pragma once

#include <string>

#include "errors/result.h"

std::string Fehlertext(const Result& result);
