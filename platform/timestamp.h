// When something happened, by the wall clock (for people) and by the steady
// clock (for durations), taken together.
#pragma once

#include <chrono>

namespace platform {

struct Timestamp {
    std::chrono::system_clock::time_point wall;
    std::chrono::steady_clock::time_point steady;

    static Timestamp now() {
        return {std::chrono::system_clock::now(), std::chrono::steady_clock::now()};
    }
};

}  // namespace platform
