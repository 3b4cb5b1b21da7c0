// Local time as ISO 8601 with milliseconds and the offset from UTC, as in
// "2024-03-31T03:00:00.000+02:00", the same in every locale.
#pragma once

#include <chrono>
#include <string>

namespace platform {

void AppendIsoLocalTime(std::string& out, std::chrono::system_clock::time_point time);

}  // namespace platform
