// Timing of a 9600-baud line with 10 bit times a character, for --realtime.
// A command counts as received once its last byte would have arrived; the
// module starts answering 2 ms later and each answer byte is due when it would
// have left the line. Every deadline is computed from the same start, so no
// rounding error accumulates over an answer.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ratio>

#include "sim/simtime.h"

namespace zan1sim {

using ByteTimes = std::chrono::duration<std::int64_t, std::ratio<1, 960>>;
inline constexpr std::chrono::milliseconds kTurnaround{2};

SimTime CommandReceived(SimTime firstByte, std::size_t length);

// Deadline of answer byte k (0-based).
SimTime AnswerByteDue(SimTime received, std::size_t k);

// Sleeps until `deadline` on the monotonic clock (absolute, so late wake-ups
// do not push later deadlines back).
void SleepUntil(SimTime deadline);

}  // namespace zan1sim
