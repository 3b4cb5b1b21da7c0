// One run of zan1ctl: parse, open the port if the command needs one, run the
// command, close the port on every path. Returns the exit status: 0 done, also
// when halt ended a monitor or a scan, 1 a failure (a line on err for it and
// one for a failed trace: "zan1ctl: Fehler <number>: <text>", with --english
// "zan1ctl: Error ..."), 2 a usage error (the usage on err).
#pragma once

#include <iosfwd>
#include <stop_token>
#include <string>
#include <vector>

namespace zan1ctl {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::stop_token halt = {});

}  // namespace zan1ctl
