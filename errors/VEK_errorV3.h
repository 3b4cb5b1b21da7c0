// Error catalogue: turns an error code (0 = success, else message number * 1000
// - site number) into its message text, German or English, as UTF-8, and into
// the title of its popup (showing it is the window's job). One module state
// for the whole program; not re-entrant, call from one thread only (the UI
// thread in the window).
#pragma once

#include <string>

// Text of the code's message number in the current language, followed by the
// pending user text, which is then cleared. A number without an entry yields the
// default text. The pointer is the module's buffer: valid until the next call.
const char* VEK_Fehlermeldung(int code);

// 2 selects English, any other value German (the start value).
void VEK_Fehlersprache(int language);
// The language set last, 1 before any call.
int VEK_FehlerspracheLesen();

// Text appended to the next VEK_Fehlermeldung, whatever code it is for. Kept up
// to 299 bytes, cut before a split UTF-8 sequence; null counts as empty.
void VEK_Fehleruserstring(const char* text);

// Codes -6999..-6000: the silent error, which no popup shows.
bool VEK_FehlerStill(int code);

// The popup's title "Fehler #<-code>" ("Error #..." in English).
std::string VEK_FehlerpopupTitel(int code);
// The caller's title (not translated) followed by " #<-code>", cut so that the
// whole fits 99 bytes. A null title counts as empty.
std::string VEK_FehlerpopupTitel(int code, const char* title);
