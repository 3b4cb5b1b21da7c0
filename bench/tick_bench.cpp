// 600 ticks of the operator program's 0.1 s poll against the simulator with
// real line timing: how long each tick takes against the time its bytes need
// on a 9600-baud line (plus the module's turn-around), mean and worst; then
// the same with a recording of the values running, and with the line traced.
// The three runs alternate in blocks, so that a drift of the machine weighs on
// all alike.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/messwertaufzeichnung.h"
#include "app/programm.h"
#include "app/resource.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/rs232/linetrace.h"
#include "platform/rs232/portmap.h"
#include "platform/userint/model.h"
#include "platform/userint/uithread.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "sim/ptyserver.h"

namespace {

constexpr int kTicks = 600;
constexpr int kBlock = 100;
constexpr int kRows = 10000;
constexpr double kSecondsPerByte = 10.0 / 9600;
constexpr double kTurnaroundSeconds = 0.002;

enum Kind { kPlain, kRecording, kTraced, kKinds };

// Shows nothing and answers a file dialog with the recording's file.
struct SilentDialogs : userint::Dialogs {
    void message(const std::string&, const std::string&) override {}
    bool confirm(const std::string&, const std::string&) override { return true; }
    int selectFile(const userint::FileSelectRequest&, std::string* path) override {
        *path = file;
        return VAL_NEW_FILE_SELECTED;
    }
    std::string file;
};

struct Run {
    double total = 0;
    double worst = 0;
    double line = 0;
    int failed = 0;

    void print(const char* name) const {
        const double mean = total / kTicks;
        const double meanLine = line / kTicks;
        const double meanModule = meanLine + 2 * kTurnaroundSeconds;
        std::printf("%s: ticks %d, failed polls %d\n", name, kTicks, failed);
        std::printf("  mean tick %.3f ms, worst %.2f ms\n", mean * 1e3, worst * 1e3);
        std::printf(
            "  line time of two reads %.2f ms (+%.1f %%), with 2 x 2 ms turn-around %.2f ms "
            "(+%.1f %%)\n",
            meanLine * 1e3, (mean / meanLine - 1) * 100, meanModule * 1e3,
            (mean / meanModule - 1) * 100);
    }
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

// Runs the window's loop until the module thread's results are shown.
void Wait() {
    while (!LaufendesProgramm().modul.frei())
        userint::RunPostedWork(std::chrono::milliseconds(100));
}

// A tick lasts from the timer's callback until its poll is shown.
void RunTick(const zan1sim::PtyServer& sim, Run& run) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    userint::DispatchTimerTick(panelHandle, PANEL_TIMER);
    Wait();
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    run.total += took;
    run.worst = std::max(run.worst, took);
    int connected = 0;
    GetCtrlVal(panelHandle, PANEL_VERBINDEN, &connected);
    if (!connected) ++run.failed;
    const auto volts1 = sim.parameter(1, "istwert1");
    const auto volts2 = sim.parameter(1, "istwert2");
    run.line += (ReadBytes(volts1.value_or(0)) + ReadBytes(volts2.value_or(0))) * kSecondsPerByte;
}

}  // namespace

int main() {
    zan1sim::Options options;
    options.realtime = true;
    std::string error;
    const auto sim = zan1sim::PtyServer::start(options, &error);
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
    Programm program;
    SetCtrlVal(panelHandle, PANEL_VERBINDEN, 1);
    if (!userint::DispatchCommit(panelHandle, PANEL_VERBINDEN)) {
        std::fprintf(stderr, "tick_bench: the connect toggle has no callback\n");
        return 1;
    }
    Wait();
    char folder[] = "/tmp/tick_bench.XXXXXX";
    if (!mkdtemp(folder)) {
        std::fprintf(stderr, "tick_bench: no temporary folder\n");
        return 1;
    }
    dialogs.file = std::string(folder) + "/werte.csv";
    const std::filesystem::path trace = std::string(folder) + "/verkehr.log";
    Run runs[kKinds];
    for (int block = 0; block < kKinds * kTicks / kBlock; ++block) {
        const Kind kind = static_cast<Kind>(block % kKinds);
        // The menu item starts and ends the recording around its blocks.
        if (kind == kRecording) userint::DispatchMenu(panelHandle, MENUBAR_DATEI_MESSWERTE);
        if (kind == kTraced && rs232::StartLineTrace(trace, rs232::TraceMode::Append) != 0) {
            std::fprintf(stderr, "tick_bench: cannot write %s\n", trace.c_str());
            return 1;
        }
        for (int tick = 0; tick < kBlock; ++tick)
            RunTick(*sim, runs[kind]);
        if (kind == kRecording) userint::DispatchMenu(panelHandle, MENUBAR_DATEI_MESSWERTE);
        if (kind == kTraced) rs232::StopLineTrace();
    }
    // What one row costs the poll on its own, without the line around it.
    userint::DispatchMenu(panelHandle, MENUBAR_DATEI_MESSWERTE);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (int row = 0; row < kRows; ++row)
        MesswerteAufzeichnen(2.5, 5.0, platform::Timestamp::now());
    const double perRow = std::chrono::duration<double>(Clock::now() - start).count() / kRows;
    userint::DispatchMenu(panelHandle, MENUBAR_DATEI_MESSWERTE);
    const auto rows =
        std::count(std::istreambuf_iterator<char>(std::ifstream(dialogs.file).rdbuf()), {}, '\n');
    std::error_code ignored;
    const auto traceBytes = std::filesystem::file_size(trace, ignored);
    std::filesystem::remove_all(folder, ignored);
    runs[kPlain].print("plain");
    runs[kRecording].print("with recording");
    runs[kTraced].print("with the line traced");
    const double plain = runs[kPlain].total;
    std::printf("recording: %+.2f %% on the mean tick; one row %.2f us; last file %ld lines\n",
                (runs[kRecording].total / plain - 1) * 100, perRow * 1e6, static_cast<long>(rows));
    std::printf("tracing: %+.2f %% on the mean tick (%ju bytes of trace)\n",
                (runs[kTraced].total / plain - 1) * 100, static_cast<std::uintmax_t>(traceBytes));
    userint::SetDialogs(nullptr);
    int failed = 0;
    for (const Run& run : runs)
        failed += run.failed;
    return failed == 0 ? 0 : 1;
}
