// The "Datei" commands that load and save parameter files, the "Skalieren..."
// command and the three buttons of the configuration panel. Menu callbacks
// show a failing code in the error popup; control callbacks act on
// EVENT_COMMIT only and return 0.
#pragma once

void Callback_Menu_Laden(int menuItem, int panel);
void Callback_Menu_Speichern(int menuItem, int panel);
// Fills the configuration pages from the records, then shows the panel.
void Callback_Menu_Skalieren(int menuItem, int panel);

// Adopts the configuration pages and hides the panel; a refused scaling is
// shown in the error popup and the panel stays open.
int Callback_Konfig_Button_Ok(int panel, int control, int event);
// Hides the panel; what was typed is lost with the next "Skalieren...".
int Callback_Konfig_Button_Abbruch(int panel, int control, int event);
// Shows the default scaling on the pages; the records stay until "Ok".
int Callback_Konfig_Button_AufStandardwerte(int panel, int control, int event);
