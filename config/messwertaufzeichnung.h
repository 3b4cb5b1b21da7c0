// A recording of polled actual values into a CSV file (RFC 4180, comma,
// decimal point): the header "Zeit,t_s,Istwert1 [unit 1],Istwert2 [unit 2]",
// then per poll the local time (ISO 8601 with milliseconds), the seconds since
// the start and both values in the user units with the channel precision.
// Units, scaling and precision are those given at the start, so the header
// stays true when the scaling changes meanwhile. Rows gather in memory and a
// thread of their own writes and syncs them every half second: the caller
// never waits for the disk, and a crash or power cut loses at most the last
// second. One owner thread calls every member.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "config/konfigstruktur.h"
#include "platform/flushingwriter.h"
#include "platform/timestamp.h"

inline constexpr int kFehlerAufzeichnungOeffnen = -308121;
// A write or sync failed while recording; the recording has ended.
inline constexpr int kFehlerAufzeichnungSchreiben = -326122;
// The last rows could not be written when the recording ended.
inline constexpr int kFehlerAufzeichnungAbschluss = -326123;

class Messwertaufzeichnung {
  public:
    // Creates or empties the file and writes the header; nullptr with the
    // errno in *fehler when the file cannot be created.
    static std::unique_ptr<Messwertaufzeichnung> starten(const std::string& pfad,
                                                         const Konfigstruktur& konfig1,
                                                         const Konfigstruktur& konfig2,
                                                         int* fehler);

    // One row for values read in volts at zeit. 0, or kFehlerAufzeichnungSchreiben
    // with the errno in *fehler when a write failed since: the recording is
    // over then, and later rows are dropped.
    int eintragen(double volt1, double volt2, const platform::Timestamp& zeit, int* fehler);
    // Writes the rest and closes the file: 0, or kFehlerAufzeichnungAbschluss
    // with the errno in *fehler.
    int beenden(int* fehler);

  private:
    // One value column: the scaling and the decimals it is written with.
    struct Spalte {
        Konfigstruktur konfig;
        int praezision;
    };

    Messwertaufzeichnung(platform::UniqueFd datei, const Konfigstruktur& konfig1,
                         const Konfigstruktur& konfig2);
    static Spalte spalteAus(const Konfigstruktur& konfig);
    static void spaltenkopf(std::string& out, const char* name, const Spalte& spalte);
    static void spaltenwert(std::string& out, double volt, const Spalte& spalte);

    platform::FlushingWriter m_datei;
    Spalte m_spalte1;
    Spalte m_spalte2;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::string m_zeile;  // reused, so a row allocates nothing
};
