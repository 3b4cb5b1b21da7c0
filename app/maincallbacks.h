// Callbacks of the main window and its two controller pages: connecting, bus
// scan, identification, parameter-set transfer, setpoint and manipulated-value
// fields and the entry checks of the controller parameters. Each acts on
// EVENT_COMMIT only and returns 0. A module operation runs on the module
// thread; its result (0 included) reaches FehlerZeigen once it is back, and
// until then the controls that would start another one are dimmed. Pressing
// "Scann" again stops a scan after the address in flight.
#pragma once

#include "moduleops/leitung.h"

// Replaces an I share of exactly 0.
inline constexpr double kKleinsterIAnteil = 0.0001;

int Callback_Main_Togglebutton_Verbinden(int panel, int control, int event);
int Callback_Main_Button_Scann(int panel, int control, int event);
int Callback_Main_Button_IDLesen(int panel, int control, int event);
int Callback_Main_ButtonLesen(int panel, int control, int event);
int Callback_Main_Button_Schreiben(int panel, int control, int event);
int Callback_Main_Numerics(int panel, int control, int event);
int Callback_Main_Numerics_Parametereingabe(int panel, int control, int event);
int Callback_Main_Ring_Betriebsart(int panel, int control, int event);

// The ring PORT names the device behind each of its entries in its tooltip,
// "COM 1 = /dev/ttyUSB0", from zan1ports.ini or the system's default.
void PortsBeschreiben();

// The pages now hold a set read from the module or loaded from a file, for
// the address in ADRESSE.
void ParametersatzBekannt();

// Where the module operations go: the port in PORT (used when none is held)
// and the address in ADRESSE, as they are when the operation is asked for.
Ziel AktuellesZiel();

// Ends a held connection: closes the port, releases the connect toggle, shows
// the disconnected window, stops the polling and ends a recording.
void VerbindungBeenden();
// The dimmed states of the connected or disconnected window: the actual-value
// fields with their units and the recording menu item operable exactly while
// connected, PORT the opposite.
void VerbindungAnzeigen(bool verbunden);
