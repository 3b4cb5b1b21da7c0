// The program's state while it runs, in one object that ProgramMain owns and
// the callbacks reach through LaufendesProgramm(): the scaling records, the
// connection as the window shows it, the module thread, a scan, a recording
// and the line trace. UI thread only; the module thread gets values, never
// this object. The panel handles stay the one shared table of panel/.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "app/modul.h"
#include "config/konfigstruktur.h"
#include "config/messwertaufzeichnung.h"

struct Programm {
    // The running program from now until its end; one at a time.
    Programm();
    ~Programm();
    Programm(const Programm&) = delete;
    Programm& operator=(const Programm&) = delete;

    // The scaling records of channel 1 and 2.
    std::array<Konfigstruktur, 2> konfig{kStandardKonfig, kStandardKonfig};
    // A connection is held and the timer polls.
    bool istwerteAbfragen = false;
    // Counts connections, so that a poll of an ended one is not shown.
    int verbindung = 0;
    // The polling warning has been shown in this run.
    bool warnungAngezeigt = false;
    // An operator's module operation runs: the module controls show it.
    bool beschaeftigt = false;
    // The address whose parameter set the pages hold, read from the module
    // or loaded from a file; empty while they hold what nobody checked.
    std::optional<int> satzFuerAdresse;
    // Stops the scan that runs.
    std::optional<std::stop_source> scan;
    std::unique_ptr<Messwertaufzeichnung> aufzeichnung;
    std::string aufzeichnungsDatei;  // its file's name, for the title
    // The file the line is traced into; empty while the window traces nothing.
    std::string linetracePfad;
    Modul modul;
};

Programm& LaufendesProgramm();
