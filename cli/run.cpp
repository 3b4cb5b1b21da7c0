#include "cli/run.h"

#include <ostream>
#include <utility>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/ports.h"
#include "errors/VEK_errorV3.h"
#include "errors/fehlertext.h"
#include "moduleops/leitung.h"
#include "moduleops/linetrace.h"
#include "platform/rs232/portmap.h"
#include "platform/version.h"

namespace zan1ctl {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// One port open for the whole run, closed on every way out.
Result RunCommand(const Options& o, std::ostream& out, std::stop_token halt) {
    Leitung leitung;
    const PortSession session(leitung, o.port);
    if (!session.status().ok()) return session.status();
    const Ziel ziel{o.port, o.address};
    if (o.command == "scan") return Scan(leitung, ziel, std::move(halt), out);
    if (o.command == "id") return Identify(leitung, ziel, out);
    if (o.command == "get") return Get(leitung, ziel, o.arguments, out);
    if (o.command == "set") return Set(leitung, ziel, o.assignments);
    if (o.command == "status") return Status(leitung, ziel, out);
    return Monitor(leitung, ziel, o.intervalSeconds, o.count, std::move(halt), out);
}

// An unknown name given to get or set: the catalogue says only that it is
// wrong, so name the ones that would do.
std::string ValidNames(const Options& o, const Result& result) {
    constexpr int kInvalidParameter = -401;
    if ((o.command != "get" && o.command != "set") || result.code / 1000 != kInvalidParameter)
        return {};
    return (o.english ? " (valid names: " : " (gültige Namen: ") +
           ParameterNames(o.command == "set") + ')';
}

void Report(std::ostream& err, const Options& o, const Result& result) {
    err << "zan1ctl: " << (o.english ? "Error " : "Fehler ") << -static_cast<long>(result.code)
        << ": " << Fehlertext(result) << ValidNames(o, result) << '\n';
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::stop_token halt) {
    std::string reason;
    const auto options = ParseOptions(args, &reason);
    if (!options) {
        err << "zan1ctl: " << reason << '\n' << kUsage;
        return kExitUsage;
    }
    if (options->help) {
        out << kUsage;
        return 0;
    }
    if (options->version) {
        out << "zan1ctl " << ProgramVersion() << '\n';
        return 0;
    }
    if (options->command == "ports") {
        ListPorts(out);
        return 0;
    }
    VEK_Fehlersprache(options->english ? 2 : 1);
    const bool traced = !options->trace.empty();
    if (traced) {
        if (const Result started = LineTraceStart(options->trace, rs232::TraceMode::Append);
            !started.ok()) {
            Report(err, *options, started);
            return kExitFailure;
        }
    }
    if (!options->device.empty()) rs232::SetPortDevice(options->port, options->device);
    const Result result = RunCommand(*options, out, std::move(halt));
    if (!options->device.empty()) rs232::SetPortDevice(options->port, "");
    const Result traceResult = traced ? LineTraceStop(options->trace) : Result();
    out << std::flush;
    if (!result.ok()) Report(err, *options, result);
    if (!traceResult.ok()) Report(err, *options, traceResult);
    return result.ok() && traceResult.ok() ? 0 : kExitFailure;
}

}  // namespace zan1ctl
