// Driver for the ZAN-1 controller module on an RS-232 bus. Every operation takes
// the port number first and the bus address second and returns an error code:
// 0 for success, else message number * 1000 - site number. The driver keeps no
// state; each transaction starts by emptying both port queues. On any error the
// caller's output variable or buffer is left as it was.
#pragma once

// Opens the port with 9600 baud, 7 data bits, odd parity, 1 stop bit; -100002.
int VEKZAN1_Open(int port);
// -103003.
int VEKZAN1_Close(int port);
// Sets how long a single byte read waits; -111004.
int VEKZAN1_Timeout(int port, double seconds);

// Reads the identification word (at most 26 characters plus NUL) of the module
// at address 1..8 into text, which must hold at least 27 characters.
int VEKZAN1_IDLesen(int port, int address, char* text);
// Reads the status byte of the module at address 0..8.
int VEKZAN1_StatusLesen(int port, int address, int* status);
// Writes one parameter to address 1..9 (9: every module, no answer awaited).
int VEKZAN1_ParameterSchreiben(int port, int address, const char* name, double value);
// Reads one parameter of the module at address 0..8.
int VEKZAN1_ParameterLesen(int port, int address, const char* name, double* value);
// No device function is defined: -401016 for addresses 0..9, else -400015.
int VEKZAN1_DeviceFunction(int port, int address);

// Empties the input queue, then the output queue; -124066 or -123067.
int FlushInOut(int port);
// Value of one hexadecimal digit, -1 for any other character.
int Hexchar2Int(char c);
