// Error catalogue: turns an error code (0 = success, else message number * 1000
// - site number) into its message text, German or English, as UTF-8. One module
// state for the whole program; not re-entrant, call from the UI thread only.
#pragma once

// Text of the code's message number in the current language, followed by the
// pending user text, which is then cleared. A number without an entry yields the
// default text. The pointer is the module's buffer: valid until the next call.
const char* VEK_Fehlermeldung(int code);

// 2 selects English, any other value German (the start value).
void VEK_Fehlersprache(int language);

// Text appended to the next VEK_Fehlermeldung, whatever code it is for. Kept up
// to 299 bytes, cut before a split UTF-8 sequence; null counts as empty.
void VEK_Fehleruserstring(const char* text);
