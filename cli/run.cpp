#include "cli/run.h"

#include <ostream>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/ports.h"
#include "errors/VEK_errorV3.h"
#include "errors/fehlertext.h"
#include "moduleops/portsession.h"
#include "moduleops/verkehrsprotokoll.h"
#include "platform/rs232/portmap.h"
#include "platform/version.h"

namespace zan1ctl {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int RunCommand(const Options& o, std::ostream& out, const std::function<bool()>& keepRunning) {
    const zan1com::PortSession session(o.port);
    if (session.status() != 0) return session.status();
    const int port = session.port();
    if (o.command == "scan") return Scan(port, out);
    if (o.command == "id") return Identify(port, o.address, out);
    if (o.command == "get") return Get(port, o.address, o.arguments, out);
    if (o.command == "set") return Set(port, o.address, o.assignments);
    if (o.command == "status") return Status(port, o.address, out);
    return Monitor(port, o.address, o.intervalSeconds, o.count, keepRunning, out);
}

void Report(std::ostream& err, const Options& o, int code) {
    err << "zan1ctl: " << (o.english ? "Error " : "Fehler ") << -static_cast<long>(code) << ": "
        << Fehlertext(code) << '\n';
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::function<bool()>& keepRunning) {
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
        if (const int code = VerkehrsprotokollStarten(options->trace, true); code != 0) {
            Report(err, *options, code);
            return kExitFailure;
        }
    }
    if (!options->device.empty()) rs232::SetPortDevice(options->port, options->device);
    const int result = RunCommand(*options, out, keepRunning);
    if (!options->device.empty()) rs232::SetPortDevice(options->port, "");
    const int traceResult = traced ? VerkehrsprotokollBeenden() : 0;
    out << std::flush;
    if (result != 0) Report(err, *options, result);
    if (traceResult != 0) Report(err, *options, traceResult);
    return result == 0 && traceResult == 0 ? 0 : kExitFailure;
}

}  // namespace zan1ctl
