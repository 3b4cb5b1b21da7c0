#include "bridge/linepoller.h"

#include <array>
#include <cstdio>
#include <optional>
#include <variant>

#include "bridge/errortext.h"
#include "driver/vekzan1.h"
#include "moduleops/ZAN1Com.h"

namespace bridge {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFirstAddress = 1;
constexpr int kLastAddress = 8;
constexpr int kFailuresToOffline = 2;
// A line that cannot be opened is tried again after this, or after the poll
// interval when that is longer.
constexpr auto kReopenPause = std::chrono::seconds(1);

// The line itself failed (device gone, system error), not one module.
bool LineLost(const Result& result) {
    const auto* failure = std::get_if<rs232::PortFailure>(&result.reason);
    return failure && (failure->cause.gone || failure->cause.error != 0);
}

struct ModuleState {
    bool online = false;
    int failures = 0;
    int lastCode = 0;  // the last error published, 0 after a success
};

// What the line's thread keeps between rounds; used by that thread only.
class LineWork {
  public:
    LineWork(const BridgeConfig& config, const LineConfig& line, int port, Outbox& outbox)
        : m_config(config), m_line(line), m_port(port), m_outbox(outbox) {}

    ~LineWork() {
        for (int address = kFirstAddress; address <= kLastAddress; ++address) {
            setOffline(address);
        }
    }

    bool open() {
        const Result opened = m_leitung.OpenComPort(m_port);
        lineError(opened);
        if (!opened.ok()) {
            m_leitung.CloseComPort();
            return false;
        }
        return true;
    }

    bool isOpen() const { return m_leitung.gehalten() != -1; }

    // Probes address; a ZAN-1 module answering goes online.
    void probe(int address) {
        const Identifikation id = IDLesen(m_leitung, {m_port, address});
        if (LineLost(id.result)) return lose(id.result);
        if (!id.result.ok() || !id.text.starts_with(kModulPraefix)) return;
        publish(address, "id", id.text, true);
        ModuleState& module = m_modules[address - 1];
        module.failures = 0;
        if (!module.online) publish(address, "status", "online", true);
        module.online = true;
    }

    void poll(int address) {
        ModuleState& module = m_modules[address - 1];
        if (!module.online) return;
        Reading reading;
        Result result = IstwerteLesen(m_leitung, {m_port, address}, &reading.volt1, &reading.volt2);
        if (result.ok()) {
            result =
                MitPortgrund(VEKZAN1_StatusLesen(m_leitung.gehalten(), address, &reading.status));
        }
        if (LineLost(result)) return lose(result);
        if (!result.ok()) {
            moduleError(address, result);
            if (++module.failures >= kFailuresToOffline) setOffline(address);
            return;
        }
        module.failures = 0;
        moduleError(address, 0);
        reading.time = std::chrono::system_clock::now();
        const auto scaling = m_line.scalings.find(address);
        publish(address, "state",
                StateJson(reading,
                          scaling == m_line.scalings.end() ? ModuleScaling{} : scaling->second),
                false);
    }

    void run(const Command& command) {
        const std::string name(command.parameter->name);
        Result result = isOpen() ? Result(0) : Result(-100002);
        if (result.ok()) {
            result = MitPortgrund(VEKZAN1_ParameterSchreiben(m_leitung.gehalten(), command.address,
                                                             name.c_str(), command.value));
        }
        double readBack = 0;
        if (result.ok()) {
            result = MitPortgrund(VEKZAN1_ParameterLesen(m_leitung.gehalten(), command.address,
                                                         name.c_str(), &readBack));
        }
        std::optional<std::string> value;
        if (result.ok()) value = vekzan1::FormatAnswer(*command.parameter, readBack);
        publish(command.address, "result",
                ResultJson(name, result.code, value, result.ok() ? "" : ErrorText(result)), false);
        if (LineLost(result)) lose(result);
    }

    bool online(int address) const { return m_modules[address - 1].online; }
    bool anyOnline() const {
        for (const ModuleState& module : m_modules) {
            if (module.online) return true;
        }
        return false;
    }

  private:
    void publish(int address, std::string_view leaf, const std::string& payload, bool retained) {
        m_outbox.publish(ModuleTopic(m_config.prefix, m_line.name, address, leaf), payload,
                         retained);
    }

    void setOffline(int address) {
        ModuleState& module = m_modules[address - 1];
        if (module.online) publish(address, "status", "offline", true);
        module = {};
    }

    void moduleError(int address, const Result& result) {
        ModuleState& module = m_modules[address - 1];
        if (result.code == module.lastCode) return;
        module.lastCode = result.code;
        publish(address, "error", ErrorJson(result.code, result.ok() ? "" : ErrorText(result)),
                false);
    }

    // Errors of the line itself go to <prefix>/<line>/error, on a change.
    void lineError(const Result& result) {
        if (result.code == m_lineCode) return;
        m_lineCode = result.code;
        const std::string text = result.ok() ? "" : ErrorText(result);
        std::fprintf(stderr, "zan1bridge: line %s: %s\n", m_line.name.c_str(),
                     result.ok() ? "working again" : text.c_str());
        m_outbox.publish(m_config.prefix + '/' + m_line.name + "/error",
                         ErrorJson(result.code, text), false);
    }

    void lose(const Result& result) {
        lineError(result);
        m_leitung.CloseComPort();
        for (int address = kFirstAddress; address <= kLastAddress; ++address) {
            setOffline(address);
        }
    }

    const BridgeConfig& m_config;
    const LineConfig& m_line;
    const int m_port;
    Outbox& m_outbox;
    Leitung m_leitung;
    std::array<ModuleState, kLastAddress> m_modules{};
    int m_lineCode = 0;
};

}  // namespace

LinePoller::LinePoller(const BridgeConfig& config, const LineConfig& line, int port, Outbox& outbox)
    : m_config(config), m_line(line), m_port(port), m_outbox(outbox) {}

LinePoller::~LinePoller() {
    requestStop();
    join();
}

void LinePoller::start() {
    m_thread = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
}

void LinePoller::requestStop() {
    m_thread.request_stop();
}

void LinePoller::join() {
    if (m_thread.joinable()) m_thread.join();
}

bool LinePoller::submit(const Command& command) {
    {
        const std::lock_guard lock(m_mutex);
        if (m_commands.size() >= kMaxQueued) return false;
        m_commands.push_back(command);
    }
    m_arrived.notify_one();
    return true;
}

void LinePoller::run(std::stop_token stop) {
    LineWork work(m_config, m_line, m_port, m_outbox);
    // Runs the commands queued so far, or waits until deadline for one.
    const auto takeCommands = [&](std::optional<Clock::time_point> deadline) {
        std::unique_lock lock(m_mutex);
        if (deadline)
            m_arrived.wait_until(lock, stop, *deadline, [&] { return !m_commands.empty(); });
        while (!m_commands.empty() && !stop.stop_requested()) {
            const Command command = m_commands.front();
            m_commands.pop_front();
            lock.unlock();
            work.run(command);
            lock.lock();
        }
    };
    const auto pollPeriod = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(m_config.pollSeconds));
    const auto scanPeriod = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(m_config.scanMinutes * 60));
    Clock::time_point nextScan;
    int scanAddress = kLastAddress + 1;  // past the last: no scan running
    while (!stop.stop_requested()) {
        const auto roundStart = Clock::now();
        if (!work.isOpen()) {
            if (!work.open()) {
                takeCommands(roundStart + std::max(pollPeriod, Clock::duration(kReopenPause)));
                continue;
            }
            scanAddress = kFirstAddress;  // a line that is (back) open is scanned at once
            nextScan = roundStart + scanPeriod;
        }
        for (int address = kFirstAddress; address <= kLastAddress && work.isOpen(); ++address) {
            if (stop.stop_requested()) break;
            work.poll(address);
            takeCommands(std::nullopt);
        }
        // A scan probes one address a round that has no module online, so the
        // modules found so far are polled meanwhile: a silent address costs a
        // read timeout.
        if (m_config.scanMinutes > 0 && scanAddress > kLastAddress && Clock::now() >= nextScan) {
            scanAddress = kFirstAddress;
            nextScan = Clock::now() + scanPeriod;
        }
        while (scanAddress <= kLastAddress && work.online(scanAddress))
            ++scanAddress;
        if (scanAddress <= kLastAddress && work.isOpen() && !stop.stop_requested()) {
            work.probe(scanAddress++);
        }
        // With nothing to poll or probe, an unpaced line would spin.
        const bool idle = !work.anyOnline() && scanAddress > kLastAddress;
        takeCommands(roundStart +
                     (idle ? std::max(pollPeriod, Clock::duration(kReopenPause)) : pollPeriod));
    }
}

}  // namespace bridge
