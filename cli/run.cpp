#include "cli/run.h"

#include <ostream>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/ports.h"
#include "errors/VEK_errorV3.h"
#include "errors/fehlertext.h"
#include "moduleops/portsession.h"
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
    if (!options->device.empty()) rs232::SetPortDevice(options->port, options->device);
    const int result = RunCommand(*options, out, keepRunning);
    if (!options->device.empty()) rs232::SetPortDevice(options->port, "");
    out << std::flush;
    if (result == 0) return 0;
    err << "zan1ctl: " << (options->english ? "Error " : "Fehler ") << -static_cast<long>(result)
        << ": " << Fehlertext(result) << '\n';
    return kExitFailure;
}

}  // namespace zan1ctl
