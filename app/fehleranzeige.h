// The main window's error display: lamp FEHLERLED, text FEHLERSTRING and number
// FEHLERNUMMER show the outcome of the operator's last module operation. Unlike
// the popups, codes of the silent range are shown too (with an empty text).
#pragma once

#include "errors/result.h"

// 0 clears the display, any other code sets it.
void FehlerZeigen(const Result& result);
// Lamp on, the result's error text, the code without its sign.
void FehlerSetzen(const Result& result);
// Lamp off, empty text, number 0.
void FehlerLoeschen();
