#include "platform/rs232/linetiming.h"

#include <algorithm>
#include <thread>

#include "platform/rs232/rs232.h"

namespace rs232 {

Clock::duration Seconds(double seconds) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

double SecondsPerByte(const LineSettings& settings) {
    const int bits =
        1 + settings.dataBits + (settings.parity != kParityNone ? 1 : 0) + settings.stopBits;
    return static_cast<double>(bits) / static_cast<double>(settings.baudRate);
}

Clock::duration LineTime(std::size_t bytes, double secondsPerByte) {
    return Seconds(static_cast<double>(bytes) * secondsPerByte);
}

int DrainOutput(const std::function<int()>& queueLength, Clock::duration timeout,
                double secondsPerByte) {
    const auto lineTime = [secondsPerByte](int bytes) {
        return LineTime(static_cast<std::size_t>(bytes), secondsPerByte);
    };
    int pending = queueLength();
    if (pending <= 0) return pending;
    const auto deadline = Clock::now() + timeout + lineTime(pending);
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline) return 1;
        std::this_thread::sleep_for(std::min(lineTime(pending), deadline - now));
        pending = queueLength();
        if (pending <= 0) return pending;
    }
}

}  // namespace rs232
