#include <time.h>

#include "platform/localtime.h"

namespace platform {

std::tm LocalTime(std::time_t time, long* utcOffsetSeconds) {
    std::tm local{};
    localtime_s(&local, &time);
    // The local fields read as UTC are ahead of the moment by the offset.
    if (utcOffsetSeconds) {
        std::tm copy = local;
        *utcOffsetSeconds = static_cast<long>(_mkgmtime(&copy) - time);
    }
    return local;
}

}  // namespace platform
