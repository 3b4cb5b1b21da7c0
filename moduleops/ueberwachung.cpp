#include "moduleops/ueberwachung.h"

#include <thread>

#include "moduleops/ZAN1Com.h"

Result IstwerteUeberwachen(Leitung& leitung, const Ziel& ziel,
                           std::chrono::duration<double> intervall, long anzahl,
                           const std::function<bool()>& weiter,
                           const std::function<void(const Messung&)>& melden) {
    using Clock = std::chrono::steady_clock;
    const auto takt = std::chrono::duration_cast<Clock::duration>(intervall);
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return session.status();
    const auto start = Clock::now();
    for (long poll = 0; (anzahl == 0 || poll < anzahl) && weiter(); ++poll) {
        std::this_thread::sleep_until(start + poll * takt);
        Messung messung{std::chrono::duration<double>(Clock::now() - start).count(), 0, 0};
        if (Result r = IstwerteLesen(leitung, ziel, &messung.volt1, &messung.volt2); !r.ok())
            return r;
        melden(messung);
    }
    return 0;
}
