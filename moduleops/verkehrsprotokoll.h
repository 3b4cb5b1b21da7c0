// The trace of every byte on the line (platform/rs232/linetrace.h) as the
// operator window and zan1ctl switch it: started into a file, ended on
// demand. A failure keeps the file and the reason for Fehlertext.
#pragma once

#include <string>

inline constexpr int kFehlerVerkehrsprotokollOeffnen = -130150;
inline constexpr int kFehlerVerkehrsprotokollSchreiben = -131151;

// Starts the trace into pfad ("-": standard error), replacing the file's
// content or appending to it; -130150 when it cannot be opened.
int VerkehrsprotokollStarten(const std::string& pfad, bool anhaengen);
// Ends the trace; -131151 when a write failed since the start.
int VerkehrsprotokollBeenden();
// False before the start, after the end, and once a write failed.
bool VerkehrsprotokollLaeuft();
