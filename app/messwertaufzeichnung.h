// "Datei" → "Messwerte aufzeichnen...": records every successful poll into a
// CSV file chosen in a save dialog until the operator chooses the item again
// (it then reads "Aufzeichnung beenden"), the connection ends or the program
// ends. The item can be chosen while a connection is held. While it runs, the
// window's title names the file.
#pragma once

#include "platform/timestamp.h"

// Starts a recording, or ends the one running. A file that cannot be created
// is shown in the error popup with its reason.
void Callback_Menu_Messwerte(int menuItem, int panel);
// On each successful poll, with the values read in volts when the poll began.
// A recording whose file cannot be written ends and shows in the error
// display with its reason; the poll goes on.
void MesswerteAufzeichnen(double volt1, double volt2, const platform::Timestamp& zeit);
// Ends a running recording (the program ends); last rows that cannot be
// written are shown in the error popup.
void AufzeichnungAbschliessen();
// The same when the connection ended, which a popup then tells once.
void AufzeichnungMitDerVerbindungBeenden();
