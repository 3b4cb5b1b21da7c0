// Recording of the polled actual values into a CSV file (RFC 4180, comma,
// decimal point): the header "Zeit,t_s,Istwert1 [unit 1],Istwert2 [unit 2]",
// then per poll the local time (ISO 8601 with milliseconds), the seconds since
// the start and both values in the user units with the channel precision.
// Units, scaling and precision are those in force at the start, so the header
// stays true when the scaling changes meanwhile. Rows gather in memory and a
// thread of their own writes and syncs them every half second: the poll never
// waits for the disk, and a crash or power cut loses at most the last second.
// One recording at a time, driven from the user-interface thread. Each
// function returns 0 or one of the codes below and puts the errno of a failure
// into *grund (0 otherwise).
#pragma once

#include <string>

inline constexpr int kFehlerAufzeichnungOeffnen = -308121;
// A write or sync failed while recording; the recording has ended.
inline constexpr int kFehlerAufzeichnungSchreiben = -326122;
// The last rows could not be written when the recording ended.
inline constexpr int kFehlerAufzeichnungAbschluss = -326123;

// Creates or empties the file and starts recording with gKonfig1 and gKonfig2.
int AufzeichnungStarten(const std::string& pfad, int* grund);
bool AufzeichnungLaeuft();
// One row for the actual values read, in volts; nothing when none runs. A
// failure noticed here ends the recording.
int AufzeichnungEintragen(double volt1, double volt2, int* grund);
// Writes the rest, closes the file and ends; 0 when none runs.
int AufzeichnungBeenden(int* grund);
