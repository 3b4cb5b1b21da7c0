// Watching both actual values of one module: polls on a fixed schedule, so
// that slow answers do not make it drift.
#pragma once

#include <chrono>
#include <functional>

#include "moduleops/leitung.h"

struct Messung {
    double sekunden;  // since the watch began, taken as the poll began
    double volt1;
    double volt2;
};

// Polls anzahl times (0: for as long as weiter() says so, asked before each
// poll) at intervall from the start, each poll's values to melden. 0, or the
// first failed poll's result.
Result IstwerteUeberwachen(Leitung& leitung, const Ziel& ziel,
                           std::chrono::duration<double> intervall, long anzahl,
                           const std::function<bool()>& weiter,
                           const std::function<void(const Messung&)>& melden);
