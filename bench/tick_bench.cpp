// 600 ticks of the operator program's 0.1 s poll against the simulator with
// real line timing: how long each tick takes against the time its bytes need
// on a 9600-baud line (plus the module's turn-around), mean and worst; and 600
// more, in alternate blocks, with the trace of the line into a temporary file,
// to show what tracing costs the poll.
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/resource.h"
#include "config/ZAN1Konfig.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/rs232/linetrace.h"
#include "platform/rs232/portmap.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "sim/ptyserver.h"

namespace {

constexpr int kTicks = 600;
constexpr int kTicksPerBlock = 100;
constexpr double kSecondsPerByte = 10.0 / 9600;
constexpr double kTurnaroundSeconds = 0.002;

struct SilentDialogs : userint::Dialogs {
    void message(const std::string&, const std::string&) override {}
    int selectFile(const userint::FileSelectRequest&, std::string*) override { return 0; }
};

bool LoadPanels() {
    userint::ResetModel();
    RegisterZan1Resource();
    panelHandle = LoadPanel(0, kResourceName, PANEL);
    return panelHandle > 0 &&
           GetPanelHandleFromTabPage(panelHandle, PANEL_TAB, 0, &tabpanelRegler1) == 0 &&
           GetPanelHandleFromTabPage(panelHandle, PANEL_TAB, 1, &tabpanelRegler2) == 0;
}

// Bytes of one actual-value read on the line: command, ACK, "#1V5R" + value + CR.
double ReadBytes(double volts) {
    std::array<char, 32> text{};
    const auto [end, ec] =
        std::to_chars(text.data(), text.data() + text.size(), volts, std::chars_format::fixed, 3);
    return 6 + 1 + 5 + static_cast<double>(end - text.data()) + 1;
}

struct Ticks {
    int count = 0;
    int failed = 0;
    double total = 0;
    double worst = 0;
    double line = 0;
};

void RunTick(const zan1sim::PtyServer& sim, Ticks& ticks) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    userint::DispatchTimerTick(panelHandle, PANEL_TIMER);
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    ++ticks.count;
    ticks.total += took;
    ticks.worst = std::max(ticks.worst, took);
    int connected = 0;
    GetCtrlVal(panelHandle, PANEL_VERBINDEN, &connected);
    if (!connected) ++ticks.failed;
    const auto volts1 = sim.parameter(1, "istwert1");
    const auto volts2 = sim.parameter(1, "istwert2");
    ticks.line += (ReadBytes(volts1.value_or(0)) + ReadBytes(volts2.value_or(0))) * kSecondsPerByte;
}

void Report(const char* kind, const Ticks& ticks) {
    const double mean = ticks.total / ticks.count;
    const double meanLine = ticks.line / ticks.count;
    const double meanModule = meanLine + 2 * kTurnaroundSeconds;
    std::printf("%s: ticks: %d, failed polls: %d\n", kind, ticks.count, ticks.failed);
    std::printf("  mean tick %.2f ms, worst %.2f ms\n", mean * 1e3, ticks.worst * 1e3);
    std::printf(
        "  line time of two reads %.2f ms (+%.1f %%), with 2 x 2 ms turn-around %.2f ms "
        "(+%.1f %%)\n",
        meanLine * 1e3, (mean / meanLine - 1) * 100, meanModule * 1e3,
        (mean / meanModule - 1) * 100);
}

}  // namespace

int main() {
    zan1sim::Options options;
    options.realtime = true;
    std::string error;
    const auto sim = zan1sim::PtyServer::Start(options, &error);
    if (!sim) {
        std::fprintf(stderr, "tick_bench: no simulator: %s\n", error.c_str());
        return 1;
    }
    rs232::SetPortDevice(1, sim->devicePath());
    SilentDialogs dialogs;
    userint::SetDialogs(&dialogs);
    if (!LoadPanels()) {
        std::fprintf(stderr, "tick_bench: panels not loaded\n");
        return 1;
    }
    SetCtrlVal(panelHandle, PANEL_VERBINDEN, 1);
    if (!userint::DispatchCommit(panelHandle, PANEL_VERBINDEN)) {
        std::fprintf(stderr, "tick_bench: the connect toggle has no callback\n");
        return 1;
    }
    Ticks plain;
    Ticks traced;
    const auto trace = std::filesystem::temp_directory_path() / "zan1bench-trace.log";
    std::error_code ignored;
    std::filesystem::remove(trace, ignored);
    for (int block = 0; block < 2 * kTicks / kTicksPerBlock; ++block) {
        const bool tracing = block % 2 == 1;
        if (tracing && rs232::StartLineTrace(trace, rs232::TraceMode::Append) != 0) {
            std::fprintf(stderr, "tick_bench: cannot write %s\n", trace.c_str());
            return 1;
        }
        for (int tick = 0; tick < kTicksPerBlock; ++tick)
            RunTick(*sim, tracing ? traced : plain);
        if (tracing) rs232::StopLineTrace();
    }
    const auto traceBytes = std::filesystem::file_size(trace, ignored);
    std::filesystem::remove(trace, ignored);
    Report("untraced", plain);
    Report("traced", traced);
    std::printf("tracing costs the tick %+.2f %% (%ju bytes of trace)\n",
                (traced.total / plain.total - 1) * 100, static_cast<std::uintmax_t>(traceBytes));
    userint::SetDialogs(nullptr);
    return plain.failed + traced.failed == 0 ? 0 : 1;
}
