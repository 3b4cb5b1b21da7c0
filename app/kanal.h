// A controller channel as the window shows it: its pages and the controls of
// the main window that belong to it. The one description of a channel here;
// its module parameters are named by its number (moduleops).
#pragma once

struct Kanal {
    int nummer;       // 1 or 2, also the index + 1 of its scaling record
    int seite;        // its controller page ("Regler n")
    int konfigseite;  // its page of the configuration panel
    int sollwert;
    int stellwert;
    int istwert;
    int sollwertEinheit;
    int istwertEinheit;
};

// Channel 1 or 2, with the page handles as loaded.
Kanal KanalNr(int nummer);
