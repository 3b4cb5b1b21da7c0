// Time on the line, for the port backends: durations from seconds, a
// character's time at the line's settings, and the wait for an output queue
// to empty.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

#include "platform/rs232/serialport.h"

namespace rs232 {

using Clock = std::chrono::steady_clock;

// seconds, at most kMaxTimeoutSeconds plus a line's time, as a clock duration.
Clock::duration Seconds(double seconds);

// Start bit, data bits, parity bit and stop bits of one character.
double SecondsPerByte(const LineSettings& settings);

// The time bytes need on the line.
Clock::duration LineTime(std::size_t bytes, double secondsPerByte);

// Waits until queueLength() reports an empty output queue, at most timeout
// plus the time the queued bytes need on the line, napping about as long as
// the bytes still need: 0 once empty, the negative result of a failed
// queueLength(), or 1 when the deadline came first.
int DrainOutput(const std::function<int()>& queueLength, Clock::duration timeout,
                double secondsPerByte);

}  // namespace rs232
