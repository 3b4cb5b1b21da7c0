// The port-number interface the module driver is written against. Port numbers
// run 1..8; every operation on a number outside that range, or on a port that is
// not open, returns a negative value. Results follow the classic RS-232 library:
// 0 for success, ComWrt the number of bytes accepted, GetOutQLen the bytes still
// waiting, ComRdByte the next byte or a negative value after the read timeout.
#pragma once

#include <string>

int OpenComConfig(int port, const char* deviceName, long baudRate, int parity, int dataBits,
                  int stopBits, int inputQueueSize, int outputQueueSize);
int CloseCom(int port);
int SetComTime(int port, double timeoutSeconds);
int FlushInQ(int port);
int FlushOutQ(int port);
int ComWrt(int port, const char* bytes, int count);
int GetOutQLen(int port);
int ComRdByte(int port);

// Not part of the classic set: the read timeout currently in force on an open
// port, so callers can bound their own waits by it. Negative when not open.
double GetComTime(int port);

namespace rs232 {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 8;
// SetComTime cuts longer timeouts to a day, so every wait stays a sane duration.
inline constexpr double kMaxTimeoutSeconds = 86400.0;

enum Parity { kParityNone = 0, kParityOdd = 1, kParityEven = 2 };

}  // namespace rs232
