// The serial port of the operator program. gComPort is the number of the open
// port, -1 when none is open; only OpenComPort and CloseComPort change it. An
// operation that finds no port open opens one itself and closes it again on
// every way out (open on demand).
#pragma once

extern int gComPort;

// Makes the port chosen in PORT the open port, with a 1.0 s read timeout.
// -100002 when it cannot be opened (nothing recorded), -111004 when the
// timeout cannot be set (the port stays open and recorded).
int OpenComPort();
// Closes the open port, if any; always 0.
int CloseComPort();
