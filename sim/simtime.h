// Model time. Everything that moves takes "now" as an argument, so tests drive
// the simulator with invented instants instead of sleeping.
#pragma once

#include <chrono>

namespace zan1sim {

using SimClock = std::chrono::steady_clock;
using SimTime = SimClock::time_point;

}  // namespace zan1sim
