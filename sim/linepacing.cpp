#include "sim/linepacing.h"

#include <cerrno>
#include <ctime>

namespace zan1sim {
namespace {

SimClock::duration Exact(ByteTimes t) {
    return std::chrono::duration_cast<SimClock::duration>(t);
}

}  // namespace

SimTime CommandReceived(SimTime firstByte, std::size_t length) {
    return firstByte + Exact(ByteTimes(static_cast<std::int64_t>(length)));
}

SimTime AnswerByteDue(SimTime received, std::size_t k) {
    return received + kTurnaround + Exact(ByteTimes(static_cast<std::int64_t>(k) + 1));
}

void SleepUntil(SimTime deadline) {
    // libstdc++'s steady_clock reads CLOCK_MONOTONIC, so its epoch is the same.
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch());
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ns.count() / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(ns.count() % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

}  // namespace zan1sim
