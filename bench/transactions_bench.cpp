// Driver transactions against the simulator on a real pseudo-terminal: how many
// per second without line pacing, and with pacing how far a poll of both actual
// values stays above the time its bytes need on a 9600-baud line; reads also
// against an instant in-memory port (first argument 2) for the bare cost;
// each without (last argument 0) and with (1) the trace of the line into a
// temporary file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "driver/vekzan1.h"
#include "platform/rs232/linetrace.h"
#include "platform/rs232/portmap.h"
#include "platform/rs232/serialport.h"
#include "sim/ptyserver.h"

namespace {

constexpr int kPort = 1;
constexpr double kSecondsPerByte = 10.0 / 9600;
constexpr double kTurnaroundSeconds = 0.002;

// A port that answers every command at once with the same parameter answer:
// what the port table, the driver and the trace cost without any line.
class InstantPort final : public rs232::SerialPort {
  public:
    int setTimeout(double) override { return 0; }
    int flushInput() override {
        m_next = kAnswer.size();
        return 0;
    }
    int flushOutput() override { return 0; }
    int write(std::span<const char> bytes) override {
        m_next = 0;
        return static_cast<int>(bytes.size());
    }
    int outputQueueLength() override { return 0; }
    int readByte() override {
        return m_next < kAnswer.size() ? static_cast<unsigned char>(kAnswer[m_next++]) : -1;
    }
    int close() override { return 0; }
    rs232::FailureCause failureCause() const override { return {}; }

  private:
    static constexpr std::string_view kAnswer = "\x06#1V5R2.500\r";
    std::size_t m_next = kAnswer.size();
};

enum class Line { Pty, PtyRealtime, Memory };

// The simulator (or the instant port) and the open port for one benchmark,
// traced when asked; closed, and the trace removed, on every path.
class Bench {
  public:
    Bench(Line line, bool traced) : m_line(line) {
        if (traced) {
            m_trace = std::filesystem::temp_directory_path() / "zan1bench-trace.log";
            if (rs232::StartLineTrace(m_trace, rs232::TraceMode::Replace) != 0) {
                m_error = "cannot write the trace";
                return;
            }
        }
        if (line == Line::Memory) {
            rs232::SetPortOpener([](const std::string&, const rs232::LineSettings&,
                                    rs232::FailureCause*) -> std::unique_ptr<rs232::SerialPort> {
                return std::make_unique<InstantPort>();
            });
            if (VEKZAN1_Open(kPort) != 0) m_error = "cannot open the instant port";
            return;
        }
        zan1sim::Options options;
        options.realtime = line == Line::PtyRealtime;
        std::string error;
        m_sim = zan1sim::PtyServer::start(options, &error);
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
        if (m_line == Line::Memory) rs232::SetPortOpener(nullptr);
        if (m_trace.empty()) return;
        rs232::StopLineTrace();
        std::filesystem::remove(m_trace);
    }
    const std::string& error() const { return m_error; }

  private:
    Line m_line;
    std::unique_ptr<zan1sim::PtyServer> m_sim;
    std::filesystem::path m_trace;
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
    Bench bench(static_cast<Line>(state.range(0)), state.range(1) != 0);
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
BENCHMARK(BM_ParameterRead)
    ->ArgsProduct({{static_cast<int>(Line::Pty), static_cast<int>(Line::Memory)}, {0, 1}})
    ->UseRealTime();

void BM_ParameterWrite(benchmark::State& state) {
    Bench bench(Line::Pty, state.range(0) != 0);
    if (!bench.error().empty()) return state.SkipWithError(bench.error().c_str());
    for (auto _ : state) {
        if (VEKZAN1_ParameterSchreiben(kPort, 1, "P1", 2.5) != 0) {
            return state.SkipWithError("write failed");
        }
    }
    state.counters["transactions_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ParameterWrite)->Arg(0)->Arg(1)->UseRealTime();

void BM_PollBothActualValuesRealtime(benchmark::State& state) {
    Bench bench(Line::PtyRealtime, state.range(0) != 0);
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
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
