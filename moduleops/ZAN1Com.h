// The operations behind the operator's actions on the module. gComPort is the
// number of the open port, -1 when none is open; only OpenComPort and
// CloseComPort change it. Every other operation that finds no port open
// opens one itself and closes it again on every way out (open on demand).
// All return 0 or the driver's error code unchanged.
#pragma once

extern int gComPort;

// Makes the port chosen in PORT the open port, with a 1.0 s read timeout.
// -100002 when it cannot be opened (nothing recorded), -111004 when the
// timeout cannot be set (the port stays open and recorded).
int OpenComPort();
// The same for a port number given by the caller.
int ComPortOeffnen(int port);
// Closes the open port, if any; always 0.
int CloseComPort();

// Probes bus addresses 1..8 and shows the result in LED1..LED8 and IDSTRING.
int ZAN1Scann();
// Reads the identification of the module at ADRESSE into IDSTRING.
int IDLesen();

// Sends SOLLWERTn (user unit, converted to volts) or STELLWERTn (volts) of
// channel 1 or 2; another channel number sends nothing.
int SollwertSchreiben(int kanal);
int StellwertSchreiben(int kanal);
// Reads both actual values in volts.
int IstwerteLesen(double* istwert1, double* istwert2);

// Moves the complete parameter set of both channels between the module and
// the controller tab pages, with the status texts "lese..." / "schreibe...".
int ParametersatzLesen();
int ParametersatzSchreiben();
