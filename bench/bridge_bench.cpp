// The MQTT bridge under load: 8 simulated lines of 8 modules each, polled
// without pause, through a mosquitto broker this program starts on loopback,
// to a subscriber counting what arrives. Prints messages per second at the
// subscriber, the bridge's CPU time per published message (the CPU clocks of
// the threads the bridge starts: a thread per line and libmosquitto's network
// thread; the simulators, the broker and the subscriber are not counted), and
// the latency from the publish call right after a line's answer to the
// subscriber's receipt. Then the same against simulators paced like a
// 9600-baud line: the rounds per second of each line against the limit the
// line time of a round's bytes and the module's turn-around set, beside the
// share the bare driver reaches and the share plain system calls reach, which
// is what the pty and the scheduler of this machine allow.
#include <arpa/inet.h>
#include <fcntl.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bridge/bridge.h"
#include "bridge/mqttlink.h"
#include "driver/vekzan1.h"
#include "moduleops/ZAN1Com.h"
#include "platform/rs232/portmap.h"
#include "platform/uniquefd.h"
#include "sim/ptyserver.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLines = 8;
constexpr int kModules = 8;
constexpr double kSecondsPerByte = 10.0 / 9600;  // 7O1: start, 7 data, parity, stop
constexpr double kTurnaroundSeconds = 0.002;
const std::string kPrefix = "bench";

// Stamps every message on its way into the link, so the subscriber can tell
// how long it took.
class StampingOutbox : public bridge::Outbox {
  public:
    explicit StampingOutbox(bridge::Outbox& next) : m_next(next) {}

    void publish(const std::string& topic, const std::string& payload, bool retained) override {
        const auto now = Clock::now();
        {
            const std::lock_guard lock(m_mutex);
            m_sent[topic].push_back({payload, now});
            ++m_published;
        }
        m_next.publish(topic, payload, retained);
    }

    // When the message was published; messages of the topic published before
    // it but never received are passed over and counted.
    std::optional<Clock::time_point> take(const std::string& topic, std::string_view payload) {
        const std::lock_guard lock(m_mutex);
        auto& queue = m_sent[topic];
        while (!queue.empty()) {
            const auto [sent, time] = std::move(queue.front());
            queue.pop_front();
            if (sent == payload) return time;
            ++m_lost;
        }
        return std::nullopt;
    }

    std::uint64_t published() {
        const std::lock_guard lock(m_mutex);
        return m_published;
    }
    std::uint64_t lost() {
        const std::lock_guard lock(m_mutex);
        return m_lost;
    }

  private:
    bridge::Outbox& m_next;
    std::mutex m_mutex;
    std::map<std::string, std::deque<std::pair<std::string, Clock::time_point>>> m_sent;
    std::uint64_t m_published = 0;
    std::uint64_t m_lost = 0;
};

// The text after "key": up to the next comma.
std::string_view JsonField(std::string_view json, std::string_view key) {
    const std::string quoted = "\"" + std::string(key) + "\":";
    const auto start = json.find(quoted);
    if (start == std::string_view::npos) return {};
    const auto rest = json.substr(start + quoted.size());
    return rest.substr(0, rest.find(','));
}

// Line time of one module's poll: actual value 1, actual value 2 and the
// status byte, each a 6-byte command, ACK and answer, and a turn-around.
double PollLineSeconds(std::string_view state) {
    const std::size_t bytes = 3 * (6 + 1) + (6 + JsonField(state, "volt1").size()) +
                              (6 + JsonField(state, "volt2").size()) + (7 + 2);
    return static_cast<double>(bytes) * kSecondsPerByte + 3 * kTurnaroundSeconds;
}

// "bench/l3/5/state": line 3 (0-based 2); -1 for another topic.
int StateLine(const std::string& topic) {
    if (!topic.ends_with("/state") || topic.size() < kPrefix.size() + 3) return -1;
    return topic[kPrefix.size() + 2] - '1';
}

struct Subscriber {
    explicit Subscriber(StampingOutbox& outbox) : outbox(outbox) {}

    void received(const std::string& topic, std::string_view payload) {
        const auto now = Clock::now();
        const auto sent = outbox.take(topic, payload);
        const int line = StateLine(topic);
        const std::lock_guard lock(mutex);
        if (line >= 0) seen.insert(topic);
        if (!measuring) return;
        ++messages;
        if (sent) latencies.push_back(std::chrono::duration<double>(now - *sent).count());
        // A line's rate runs from its first state in the window to its last,
        // so the window's edges cut no round short.
        if (line >= 0 && line < kLines) {
            if (!firstState[line]) {
                firstState[line] = now;
                return;
            }
            ++states[line];
            lineSeconds[line] += PollLineSeconds(payload);
            spans[line] = std::chrono::duration<double>(now - *firstState[line]).count();
        }
    }

    void begin() {
        const std::lock_guard lock(mutex);
        measuring = true;
        messages = 0;
        latencies.clear();
        states = {};
        lineSeconds = {};
        firstState = {};
        spans = {};
    }

    StampingOutbox& outbox;
    std::mutex mutex;
    bool measuring = false;
    std::set<std::string> seen;  // state topics so far
    std::uint64_t messages = 0;
    std::vector<double> latencies;               // seconds
    std::array<std::uint64_t, kLines> states{};  // after each line's first
    std::array<double, kLines> lineSeconds{};
    std::array<std::optional<Clock::time_point>, kLines> firstState;
    std::array<double, kLines> spans{};  // seconds from a line's first state to its last
};

// A loopback port nobody listens on just now.
int FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

bool Accepts(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

// A mosquitto broker of our own, ended with the object.
class Broker {
  public:
    Broker() : m_port(FreePort()) {
        char pattern[] = "/tmp/zan1bench.XXXXXX";
        m_directory = mkdtemp(pattern) ? pattern : "";
        const std::string config = m_directory + "/mosquitto.conf";
        std::ofstream(config) << "listener " << m_port << " 127.0.0.1\n"
                              << "allow_anonymous true\npersistence false\nlog_dest none\n"
                              << "max_queued_messages 0\n";
        const char* program =
            std::filesystem::exists("/usr/sbin/mosquitto") ? "/usr/sbin/mosquitto" : "mosquitto";
        m_pid = fork();
        if (m_pid == 0) {
            execlp(program, program, "-c", config.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int k = 0; k < 100 && !Accepts(m_port); ++k)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~Broker() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        std::filesystem::remove_all(m_directory);
    }
    int port() const { return m_port; }
    bool running() const { return m_pid > 0 && Accepts(m_port); }

  private:
    int m_port;
    pid_t m_pid = -1;
    std::string m_directory;
};

std::set<std::string> Threads() {
    std::set<std::string> threads;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        threads.insert(entry.path().filename());
    return threads;
}

// CPU time of the threads so far, from the scheduler's nanosecond account.
double CpuSeconds(const std::set<std::string>& threads) {
    double total = 0;
    for (const std::string& thread : threads) {
        std::ifstream file("/proc/self/task/" + thread + "/schedstat");
        double nanoseconds = 0;
        if (file >> nanoseconds) total += nanoseconds * 1e-9;
    }
    return total;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

struct Result {
    double seconds = 0;
    double cpuSeconds = 0;
    std::uint64_t published = 0;
    std::uint64_t lost = 0;
    int threads = 0;
    std::uint64_t messages = 0;
    std::vector<double> latencies;
    std::array<std::uint64_t, kLines> states{};
    std::array<double, kLines> lineSeconds{};
    std::array<double, kLines> spans{};
};

// A simulated bus with kModules ZAN-1 modules; nullptr after saying why.
std::unique_ptr<zan1sim::PtyServer> StartBus(bool realtime) {
    zan1sim::Options options;
    options.realtime = realtime;
    for (int address = 1; address <= kModules; ++address)
        options.devices.push_back({address, "", false});
    std::string error;
    auto sim = zan1sim::PtyServer::start(options, &error);
    if (!sim) std::fprintf(stderr, "bridge_bench: simulator: %s\n", error.c_str());
    return sim;
}

// Runs the bridge over kLines simulated buses for seconds once every module
// published a state, measuring meanwhile.
std::optional<Result> Run(bool realtime, double seconds) {
    std::vector<std::unique_ptr<zan1sim::PtyServer>> sims;
    bridge::BridgeConfig config;
    config.prefix = kPrefix;
    config.pollSeconds = 0;
    config.scanMinutes = 0;
    for (int line = 1; line <= kLines; ++line) {
        auto sim = StartBus(realtime);
        if (!sim) return std::nullopt;
        config.lines.push_back({"l" + std::to_string(line), sim->devicePath(), {}});
        sims.push_back(std::move(sim));
    }
    const Broker broker;
    if (!broker.running()) {
        std::fprintf(stderr, "bridge_bench: mosquitto did not start\n");
        return std::nullopt;
    }
    config.broker.host = "127.0.0.1";
    config.broker.port = broker.port();

    std::string reason;
    auto link = bridge::MqttLink::create(
        config, [](const auto&, const auto&) {}, &reason);
    if (!link) {
        std::fprintf(stderr, "bridge_bench: %s\n", reason.c_str());
        return std::nullopt;
    }
    StampingOutbox outbox(*link);
    const auto subscriber = std::make_unique<Subscriber>(outbox);
    std::unique_ptr<mosquitto, void (*)(mosquitto*)> client(
        mosquitto_new("zan1bench-subscriber", true, subscriber.get()), mosquitto_destroy);
    mosquitto_connect_callback_set(client.get(), [](mosquitto* m, void*, int) {
        mosquitto_subscribe(m, nullptr, (kPrefix + "/#").c_str(), 0);
    });
    mosquitto_message_callback_set(
        client.get(), [](mosquitto*, void* self, const mosquitto_message* m) {
            static_cast<Subscriber*>(self)->received(
                m->topic, std::string_view(static_cast<const char*>(m->payload),
                                           static_cast<std::size_t>(m->payloadlen)));
        });
    mosquitto_connect(client.get(), "127.0.0.1", broker.port(), 60);
    mosquitto_loop_start(client.get());

    // The bridge's threads are the ones that come with the link and the lines.
    const auto before = Threads();
    link->start();
    for (int k = 0; k < 200 && !link->connected(); ++k)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    bridge::Bridge lines(config, outbox);
    lines.start();
    std::set<std::string> bridgeThreads;
    for (const std::string& thread : Threads())
        if (!before.contains(thread)) bridgeThreads.insert(thread);

    const auto deadline = Clock::now() + std::chrono::seconds(60);
    for (;;) {
        {
            const std::lock_guard lock(subscriber->mutex);
            if (subscriber->seen.size() == kLines * kModules) break;
        }
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "bridge_bench: not every module published a state\n");
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));

    Result result;
    result.threads = static_cast<int>(bridgeThreads.size());
    const auto published = outbox.published();
    const auto lost = outbox.lost();
    const double cpu = CpuSeconds(bridgeThreads);
    const auto start = Clock::now();
    subscriber->begin();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    {
        const std::lock_guard lock(subscriber->mutex);
        subscriber->measuring = false;
        result.messages = subscriber->messages;
        result.latencies = subscriber->latencies;
        result.states = subscriber->states;
        result.lineSeconds = subscriber->lineSeconds;
        result.spans = subscriber->spans;
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.cpuSeconds = CpuSeconds(bridgeThreads) - cpu;
    result.published = outbox.published() - published;
    result.lost = outbox.lost() - lost;

    lines.stop();
    link->stop();
    mosquitto_disconnect(client.get());
    mosquitto_loop_stop(client.get(), false);
    return result;
}

// Polls every module of `device` (port number `line`) until `end`; the line
// time of the transactions done, or nothing when a transaction failed.
using LinePoll = std::function<std::optional<double>(int line, const std::string& device,
                                                     Clock::time_point end)>;

// kLines threads, each running `poll` on its own realtime bus, nothing
// published: the lowest share of its line-time limit any line reached.
std::optional<double> SlowestLineShare(double seconds, const LinePoll& poll) {
    std::vector<std::unique_ptr<zan1sim::PtyServer>> sims;
    for (int line = 1; line <= kLines; ++line) {
        auto sim = StartBus(true);
        if (!sim) return std::nullopt;
        rs232::SetPortDevice(line, sim->devicePath());
        sims.push_back(std::move(sim));
    }
    std::array<std::optional<double>, kLines> shares{};
    std::vector<std::thread> threads;
    for (int line = 1; line <= kLines; ++line) {
        threads.emplace_back([&, line] {
            const auto start = Clock::now();
            const auto end = start + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(seconds));
            if (const auto lineSeconds = poll(line, sims[line - 1]->devicePath(), end)) {
                shares[line - 1] =
                    *lineSeconds / std::chrono::duration<double>(Clock::now() - start).count();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int line = 1; line <= kLines; ++line)
        rs232::SetPortDevice(line, "");
    double slowest = 1;
    for (const auto& share : shares) {
        if (!share) return std::nullopt;
        slowest = std::min(slowest, *share);
    }
    return slowest;
}

// The bridge's polls through the driver, as fast as the line answers.
std::optional<double> DriverPoll(int line, const std::string&, Clock::time_point end) {
    Leitung leitung;
    if (!leitung.OpenComPort(line).ok()) return std::nullopt;
    double lineSeconds = 0;
    while (Clock::now() < end) {
        for (int address = 1; address <= kModules; ++address) {
            double volt1 = 0, volt2 = 0;
            int status = 0;
            if (!IstwerteLesen(leitung, {line, address}, &volt1, &volt2).ok() ||
                VEKZAN1_StatusLesen(line, address, &status) != 0) {
                return std::nullopt;
            }
            char state[96];
            std::snprintf(state, sizeof state, "\"volt1\":%.3f,\"volt2\":%.3f,", volt1, volt2);
            lineSeconds += PollLineSeconds(state);
        }
    }
    return lineSeconds;
}

// The same frames with plain system calls, each answer byte read as it comes:
// what the pty and the scheduler alone leave of the line on this machine.
std::optional<double> SyscallPoll(int, const std::string& device, Clock::time_point end) {
    const platform::UniqueFd fd(open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    termios tio{};
    tcgetattr(fd.get(), &tio);
    cfmakeraw(&tio);
    tcsetattr(fd.get(), TCSANOW, &tio);
    double lineSeconds = 0;
    while (Clock::now() < end) {
        for (int address = 1; address <= kModules; ++address) {
            for (const char* what : {"V5R", "V6R", "STR"}) {
                const std::string command = "#" + std::to_string(address) + what + "\r";
                if (write(fd.get(), command.data(), command.size()) !=
                    static_cast<ssize_t>(command.size())) {
                    return std::nullopt;
                }
                std::size_t bytes = command.size();
                for (char byte = 0; byte != '\r'; ++bytes) {
                    pollfd ready{fd.get(), POLLIN, 0};
                    if (::poll(&ready, 1, 1000) != 1 || read(fd.get(), &byte, 1) != 1) {
                        return std::nullopt;
                    }
                }
                lineSeconds += static_cast<double>(bytes) * kSecondsPerByte + kTurnaroundSeconds;
            }
        }
    }
    return lineSeconds;
}

void PrintLoad() {
    std::array<double, 3> load{};
    if (getloadavg(load.data(), 3) == 3) {
        std::printf("load average %.2f %.2f %.2f on %u CPUs\n", load[0], load[1], load[2],
                    std::thread::hardware_concurrency());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const double unpacedSeconds = argc > 1 ? std::atof(argv[1]) : 10;
    const double realtimeSeconds = argc > 2 ? std::atof(argv[2]) : 20;
    mosquitto_lib_init();

    PrintLoad();
    const auto unpaced = Run(false, unpacedSeconds);
    if (!unpaced) return 1;
    std::printf("\nunpaced: %d lines x %d modules, poll_seconds = 0, %.1f s measured\n", kLines,
                kModules, unpaced->seconds);
    std::printf("  published %llu, received %llu messages: %.0f messages/s at the subscriber\n",
                static_cast<unsigned long long>(unpaced->published),
                static_cast<unsigned long long>(unpaced->messages),
                static_cast<double>(unpaced->messages) / unpaced->seconds);
    std::printf("  bridge CPU %.3f s in %d threads (%.0f %% of one CPU): %.1f us per message\n",
                unpaced->cpuSeconds, unpaced->threads, 100 * unpaced->cpuSeconds / unpaced->seconds,
                1e6 * unpaced->cpuSeconds / static_cast<double>(unpaced->published));
    std::printf(
        "  latency publish -> subscriber over %zu messages: p50 %.3f ms, p99 %.3f ms, "
        "max %.3f ms; never arrived %llu\n",
        unpaced->latencies.size(), 1e3 * Percentile(unpaced->latencies, 0.5),
        1e3 * Percentile(unpaced->latencies, 0.99), 1e3 * Percentile(unpaced->latencies, 1.0),
        static_cast<unsigned long long>(unpaced->lost));
    PrintLoad();

    const auto paced = Run(true, realtimeSeconds);
    if (!paced) return 1;
    std::printf("\nzan1sim --realtime (9600 baud 7O1, 2 ms turn-around), %.1f s measured\n",
                paced->seconds);
    std::printf(
        "line  states  rounds/s  line time/round  limit rounds/s  reached  over line time per "
        "transaction\n");
    double worst = 1e9;
    for (int line = 0; line < kLines; ++line) {
        const double rounds = static_cast<double>(paced->states[line]) / kModules;
        const double roundSeconds = paced->lineSeconds[line] / rounds;
        const double measured = rounds / paced->spans[line];
        const double limit = 1 / roundSeconds;
        worst = std::min(worst, measured / limit);
        // A round is three transactions per module.
        const double over = (1 / measured - roundSeconds) / (3 * kModules);
        std::printf("l%d    %6llu  %8.3f  %12.2f ms  %14.3f  %6.2f %%  %8.3f ms\n", line + 1,
                    static_cast<unsigned long long>(paced->states[line]), measured,
                    1e3 * roundSeconds, limit, 100 * measured / limit, 1e3 * over);
    }
    std::printf("slowest line at %.2f %% of its limit: %s\n", 100 * worst,
                worst >= 0.99 ? "within 1 %" : "NOT within 1 %");
    std::printf("  latency publish -> subscriber over %zu messages: p50 %.3f ms, p99 %.3f ms\n",
                paced->latencies.size(), 1e3 * Percentile(paced->latencies, 0.5),
                1e3 * Percentile(paced->latencies, 0.99));
    PrintLoad();
    const std::pair<const char*, LinePoll> withoutBridge[] = {
        {"polls by the bare driver, nothing published", DriverPoll},
        {"frames by plain system calls, no driver", SyscallPoll}};
    for (const auto& [how, poll] : withoutBridge) {
        if (const auto share = SlowestLineShare(realtimeSeconds, poll)) {
            std::printf("the same %s, %d lines at once: slowest at %.2f %% of its limit\n", how,
                        kLines, 100 * *share);
        }
        PrintLoad();
    }
    mosquitto_lib_cleanup();
    return 0;
}
