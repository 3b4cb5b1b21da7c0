// A record of the line for finding faults in the field: every byte the port
// table sends and receives, one line per frame, as in
//   2026-12-07T10:15:02.123 /dev/ttyUSB0 -> #1V5R<CR>
//   2026-12-07T10:15:02.140 /dev/ttyUSB0 <- <ACK>#1V5R2.500<CR>
// (local time of the frame's first byte, the port's device, the direction).
// ACK, NAK, CAN and CR are written by name, "<" and every other byte outside
// printable ASCII as <0xHH>, so a line reads back unambiguously. Received
// bytes make one frame up to CR, a lone NAK or CAN, or the port's next
// operation that is no read (a lone ACK). A read that gets no byte is a line
// of its own: "<- <timeout>", "<- <hang-up>" or "<- <error ENAME>".
// Lines are buffered and written out when the buffer fills, a second after
// the last write, when a port closes and when the trace stops; never synced.
// Every function may be called from any thread: the window's module thread
// traces while its UI thread starts and stops the trace.
#pragma once

#include <chrono>
#include <functional>
#include <span>
#include <string>

#include "platform/rs232/serialport.h"

namespace rs232 {

// "-" traces to standard error, which stays open when the trace stops.
inline constexpr const char* kTraceToStandardError = "-";

enum class TraceMode { Replace, Append };

// Ends a running trace, then starts one into path; 0, or the errno of
// opening path.
int StartLineTrace(const std::string& path, TraceMode mode);
// Writes out what is buffered and ends the trace; 0, or the errno of the
// first write that failed since the start.
int StopLineTrace();
// False once a write failed: the trace then ends by itself, and the next
// StopLineTrace says why.
bool LineTraceRunning();

// Where the time of a line comes from; an empty function restores the
// system clock. For tests.
using TraceClock = std::function<std::chrono::system_clock::time_point()>;
void SetLineTraceClock(TraceClock clock);

// For the port table; each does nothing while no trace runs. device must
// stay valid until the port is closed.
void TraceSent(int port, const std::string& device, std::span<const char> bytes);
void TraceReceived(int port, const std::string& device, int byte);
// A read of port that got no byte, for the reason cause gives.
void TraceNoByte(int port, const std::string& device, const FailureCause& cause);
// The port's next operation is no read: the frame received so far ends.
void TraceEndFrame(int port);
// The port closes: its frame ends and the buffer is written out.
void TraceClosed(int port);

}  // namespace rs232
