#include "platform/isotime.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/localtime.h"

namespace platform {

void AppendIsoLocalTime(std::string& out, std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto milliseconds = floor<std::chrono::milliseconds>(time.time_since_epoch());
    const std::time_t seconds = floor<std::chrono::seconds>(milliseconds).count();
    long offset = 0;
    const std::tm local = LocalTime(seconds, &offset);
    const long offsetMinutes = std::labs(offset) / 60;
    char text[64];
    const int length = std::snprintf(
        text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02ld:%02ld", local.tm_year + 1900,
        local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
        static_cast<int>(milliseconds.count() % 1000 + 1000) % 1000, offset < 0 ? '-' : '+',
        offsetMinutes / 60, offsetMinutes % 60);
    out.append(text, static_cast<std::size_t>(length));
}

}  // namespace platform
