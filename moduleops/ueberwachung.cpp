#include "moduleops/ueberwachung.h"

#include <condition_variable>
#include <mutex>

#include "moduleops/ZAN1Com.h"

Result IstwerteUeberwachen(Leitung& leitung, const Ziel& ziel,
                           std::chrono::duration<double> intervall, long anzahl,
                           std::stop_token halt,
                           const std::function<void(const Messung&)>& melden) {
    using Clock = std::chrono::steady_clock;
    const auto takt = std::chrono::duration_cast<Clock::duration>(intervall);
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return session.status();
    // Nothing else waits on these: they exist so that a stop wakes the wait
    // at once rather than after up to a whole interval.
    std::mutex mutex;
    std::condition_variable_any wecker;
    std::unique_lock lock(mutex);
    auto start = Clock::now();
    for (long poll = 0; anzahl == 0 || poll < anzahl; ++poll) {
        if (wecker.wait_until(lock, halt, start + poll * takt,
                              [&halt] { return halt.stop_requested(); })) {
            break;
        }
        const auto begun = Clock::now();
        if (poll == 0) start = begun;  // the watch begins with its first poll, at 0.000
        Messung messung{std::chrono::duration<double>(begun - start).count(), 0, 0};
        if (Result r = IstwerteLesen(leitung, ziel, &messung.volt1, &messung.volt2); !r.ok())
            return r;
        melden(messung);
    }
    return 0;
}
