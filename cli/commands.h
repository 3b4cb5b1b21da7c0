// The commands of zan1ctl over the module operations. Each works through the
// Leitung, which holds the port open for the run, writes its result to out
// and returns the operation's Result.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/options.h"
#include "errors/result.h"
#include "moduleops/leitung.h"

namespace zan1ctl {

// One line per address 1..8: the address and its identification, or "-".
Result Scan(Leitung& leitung, const Ziel& ziel, std::ostream& out);
Result Identify(Leitung& leitung, const Ziel& ziel, std::ostream& out);
Result Get(Leitung& leitung, const Ziel& ziel, const std::vector<std::string>& names,
           std::ostream& out);
Result Set(Leitung& leitung, const Ziel& ziel, const std::vector<Assignment>& assignments);
Result Status(Leitung& leitung, const Ziel& ziel, std::ostream& out);
// Both actual values as CSV rows, count times (0: while keepRunning says so) at
// the interval. The interval is positive and at most kMaxIntervalSeconds, as
// ParseOptions takes it.
Result Monitor(Leitung& leitung, const Ziel& ziel, double intervalSeconds, long count,
               const std::function<bool()>& keepRunning, std::ostream& out);

// The shortest plain decimal that reads back as value ("2.5", "10000", "0").
std::string NumberText(double value);

}  // namespace zan1ctl
