#include "platform/rs232/pollwait.h"

#include <poll.h>

#include <cerrno>
#include <ctime>

namespace rs232 {

int PollUntil(int fd, short events, Clock::time_point deadline, short* revents) {
    for (;;) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return 0;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec wait{static_cast<time_t>(ns / 1'000'000'000),
                            static_cast<long>(ns % 1'000'000'000)};
        pollfd pfd{fd, events, 0};
        const int ready = ppoll(&pfd, 1, &wait, nullptr);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return -errno;
        if (ready == 0) continue;
        *revents = pfd.revents;
        return 1;
    }
}

}  // namespace rs232
