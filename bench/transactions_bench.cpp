// Driver transactions against the simulator on a real pseudo-terminal: how many
// per second without line pacing, and with pacing how far a poll of both actual
// values stays above the time its bytes need on a 9600-baud line.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <memory>
#include <string>

#include "driver/vekzan1.h"
#include "platform/rs232/portmap.h"
#include "sim/ptyserver.h"

namespace {

constexpr int kPort = 1;
constexpr double kSecondsPerByte = 10.0 / 9600;
constexpr double kTurnaroundSeconds = 0.002;

// The simulator and the open port for one benchmark; closed on every path.
class Bench {
  public:
    explicit Bench(bool realtime) {
        zan1sim::Options options;
        options.realtime = realtime;
        std::string error;
        m_sim = zan1sim::PtyServer::Start(options, &error);
        if (!m_sim) {
            m_error = error;
            return;
        }
        rs232::SetPortDevice(kPort, m_sim->devicePath());
        if (VEKZAN1_Open(kPort) != 0 || VEKZAN1_Timeout(kPort, 1.0) != 0) {
            m_error = "cannot open the simulator's terminal";
        }
    }
    ~Bench() {
        VEKZAN1_Close(kPort);
        rs232::SetPortDevice(kPort, "");
    }
    const std::string& error() const { return m_error; }

  private:
    std::unique_ptr<zan1sim::PtyServer> m_sim;
    std::string m_error;
};

// Bytes of one parameter read on the line: command, ACK and the answer text
// "#1V5R" + value with 3 decimals + CR.
double ReadBytes(double value) {
    std::array<char, 32> text{};
    const auto [end, ec] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 3);
    return 6 + 1 + 5 + static_cast<double>(end - text.data()) + 1;
}

void BM_ParameterRead(benchmark::State& state) {
    Bench bench(false);
    if (!bench.error().empty()) return state.SkipWithError(bench.error().c_str());
    double value = 0;
    for (auto _ : state) {
        if (VEKZAN1_ParameterLesen(kPort, 1, "istwert1", &value) != 0) {
            return state.SkipWithError("read failed");
        }
        benchmark::DoNotOptimize(value);
    }
    state.counters["transactions_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParameterRead)->UseRealTime();

void BM_ParameterWrite(benchmark::State& state) {
    Bench bench(false);
    if (!bench.error().empty()) return state.SkipWithError(bench.error().c_str());
    for (auto _ : state) {
        if (VEKZAN1_ParameterSchreiben(kPort, 1, "P1", 2.5) != 0) {
            return state.SkipWithError("write failed");
        }
    }
    state.counters["transactions_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParameterWrite)->UseRealTime();

void BM_PollBothActualValuesRealtime(benchmark::State& state) {
    Bench bench(true);
    if (!bench.error().empty()) return state.SkipWithError(bench.error().c_str());
    using Clock = std::chrono::steady_clock;
    double lineSeconds = 0;
    double pollSeconds = 0;
    double worstRatio = 0;
    for (auto _ : state) {
        double actual1 = 0;
        double actual2 = 0;
        const auto start = Clock::now();
        if (VEKZAN1_ParameterLesen(kPort, 1, "istwert1", &actual1) != 0 ||
            VEKZAN1_ParameterLesen(kPort, 1, "istwert2", &actual2) != 0) {
            return state.SkipWithError("poll failed");
        }
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(took);
        pollSeconds += took;
        const double line = (ReadBytes(actual1) + ReadBytes(actual2)) * kSecondsPerByte;
        lineSeconds += line;
        worstRatio = std::max(worstRatio, took / (line + 2 * kTurnaroundSeconds));
    }
    const double iterations = static_cast<double>(state.iterations());
    const double meanLine = lineSeconds / iterations;
    const double meanPoll = pollSeconds / iterations;
    const double meanModule = meanLine + 2 * kTurnaroundSeconds;
    state.counters["line_ms"] = meanLine * 1e3;
    state.counters["line_and_turnaround_ms"] = meanModule * 1e3;
    state.counters["over_line_pct"] = (meanPoll / meanLine - 1) * 100;
    state.counters["over_line_and_turnaround_pct"] = (meanPoll / meanModule - 1) * 100;
    state.counters["worst_over_line_and_turnaround_pct"] = (worstRatio - 1) * 100;
}
BENCHMARK(BM_PollBothActualValuesRealtime)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
