// The commands of zan1ctl over the module driver. Each writes its result to out
// and returns 0 or the driver's error code; the port must be open.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/options.h"

namespace zan1ctl {

int Scan(int port, std::ostream& out);
int Identify(int port, int address, std::ostream& out);
int Get(int port, int address, const std::vector<std::string>& names, std::ostream& out);
int Set(int port, int address, const std::vector<Assignment>& assignments);
int Status(int port, int address, std::ostream& out);
// Polls both actual values count times (0: while keepRunning says so) at the
// interval, on a fixed schedule so that slow answers do not make it drift. The
// interval is positive and at most kMaxIntervalSeconds, as ParseOptions takes it.
int Monitor(int port, int address, double intervalSeconds, long count,
            const std::function<bool()>& keepRunning, std::ostream& out);

// The shortest plain decimal that reads back as value ("2.5", "10000", "0").
std::string NumberText(double value);

}  // namespace zan1ctl
