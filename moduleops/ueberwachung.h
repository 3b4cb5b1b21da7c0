// Watching both actual values of one module: polls on a fixed schedule, so
// that slow answers do not make it drift.
#pragma once

#include <chrono>
#include <functional>
#include <stop_token>

#include "moduleops/leitung.h"

struct Messung {
    double sekunden;  // since the watch began, taken as the poll began
    double volt1;
    double volt2;
};

// Polls anzahl times (0: until halt) at intervall from the start, each poll's
// values to melden. A stop asked for ends the wait for the next poll at once;
// a poll in flight completes, but none starts after the stop. 0, or the first
// failed poll's result.
Result IstwerteUeberwachen(Leitung& leitung, const Ziel& ziel,
                           std::chrono::duration<double> intervall, long anzahl,
                           std::stop_token halt, const std::function<void(const Messung&)>& melden);
