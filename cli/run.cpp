#include "cli/run.h"

#include <ostream>

#include "cli/commands.h"
#include "cli/options.h"
#include "driver/vekzan1.h"
#include "errors/VEK_errorV3.h"
#include "platform/rs232/portmap.h"

namespace zan1ctl {
namespace {

constexpr double kReadTimeoutSeconds = 1.0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Holds the port open for one run and closes it on every way out.
class PortSession {
  public:
    explicit PortSession(int port) : m_port(port) {
        m_result = VEKZAN1_Open(port);
        if (m_result == 0) {
            m_open = true;
            m_result = VEKZAN1_Timeout(port, kReadTimeoutSeconds);
        }
    }
    ~PortSession() {
        if (m_open) VEKZAN1_Close(m_port);
    }
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    int result() const { return m_result; }

  private:
    int m_port;
    bool m_open = false;
    int m_result = 0;
};

int RunCommand(const Options& o, std::ostream& out, const std::function<bool()>& keepRunning) {
    const PortSession session(o.port);
    if (session.result() != 0) return session.result();
    if (o.command == "scan") return Scan(o.port, out);
    if (o.command == "id") return Identify(o.port, o.address, out);
    if (o.command == "get") return Get(o.port, o.address, o.arguments, out);
    if (o.command == "set") return Set(o.port, o.address, o.assignments);
    if (o.command == "status") return Status(o.port, o.address, out);
    return Monitor(o.port, o.address, o.intervalSeconds, o.count, keepRunning, out);
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
    VEK_Fehlersprache(options->english ? 2 : 1);
    if (!options->device.empty()) rs232::SetPortDevice(options->port, options->device);
    const int result = RunCommand(*options, out, keepRunning);
    if (!options->device.empty()) rs232::SetPortDevice(options->port, "");
    out << std::flush;
    if (result == 0) return 0;
    err << "zan1ctl: Fehler " << -static_cast<long>(result) << ": " << VEK_Fehlermeldung(result)
        << '\n';
    return kExitFailure;
}

}  // namespace zan1ctl
