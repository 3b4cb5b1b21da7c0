// The main panel's error display: lamp FEHLERLED, text FEHLERSTRING and number
// FEHLERNUMMER show the outcome of the operator's last module operation. Unlike
// the popups, codes of the silent range are shown too (with an empty text).
#pragma once

// 0 clears the display, any other code sets it.
void FehlerZeigen(int code);
// Lamp on, the code's message text, the code without its sign.
void FehlerSetzen(int code);
// Lamp off, empty text, number 0.
void FehlerLoeschen();
