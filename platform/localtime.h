// The broken-down local time of a moment, thread-safe on every system.
#pragma once

#include <ctime>

namespace platform {

// *utcOffsetSeconds, when given, is local time minus UTC at that moment.
std::tm LocalTime(std::time_t time, long* utcOffsetSeconds = nullptr);

}  // namespace platform
