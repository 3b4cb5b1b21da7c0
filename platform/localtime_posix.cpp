#include "platform/localtime.h"

namespace platform {

std::tm LocalTime(std::time_t time, long* utcOffsetSeconds) {
    std::tm local{};
    localtime_r(&time, &local);
    if (utcOffsetSeconds) *utcOffsetSeconds = local.tm_gmtoff;
    return local;
}

}  // namespace platform
