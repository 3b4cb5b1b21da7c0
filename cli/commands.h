// The commands of zan1ctl over the module operations. Each works through the
// Leitung, which holds the port open for the run, writes its result to out
// and returns the operation's Result.
#pragma once

#include <iosfwd>
#include <stop_token>
#include <string>
#include <vector>

#include "cli/options.h"
#include "errors/result.h"
#include "moduleops/leitung.h"

namespace zan1ctl {

// One line per address 1..8: the address and its identification, or "-".
// A stop ends it after the address in flight.
Result Scan(Leitung& leitung, const Ziel& ziel, std::stop_token halt, std::ostream& out);
Result Identify(Leitung& leitung, const Ziel& ziel, std::ostream& out);
Result Get(Leitung& leitung, const Ziel& ziel, const std::vector<std::string>& names,
           std::ostream& out);
Result Set(Leitung& leitung, const Ziel& ziel, const std::vector<Assignment>& assignments);
Result Status(Leitung& leitung, const Ziel& ziel, std::ostream& out);
// Both actual values as CSV rows, count times (0: until halt) at the
// interval, each value with as many decimals as the module sends, so that a
// column keeps its width. A stop ends the wait for the next row at once. The
// interval is positive and at most kMaxIntervalSeconds, as ParseOptions takes it.
Result Monitor(Leitung& leitung, const Ziel& ziel, double intervalSeconds, long count,
               std::stop_token halt, std::ostream& out);

// The shortest plain decimal that reads back as value ("2.5", "10000", "0").
std::string NumberText(double value);

// The parameter names get takes, or with writable only those set takes, as
// "P1, I1, ...".
std::string ParameterNames(bool writable);

}  // namespace zan1ctl
