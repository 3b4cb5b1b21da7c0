// zan1bridge as a process between simulated lines and a mosquitto broker of
// the test's own on the loopback, watched with mosquitto_sub. Skipped when no
// pty can be opened.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "sim/ptyserver.h"
#include "tests/support/casetable.h"
#include "tests/support/loopback.h"
#include "tests/support/tempdir.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::system_clock;

// Long enough for a ThreadSanitizer build on two busy cores; only a hang uses it up.
bool Eventually(const std::function<bool()>& done, std::chrono::seconds limit = 90s) {
    for (const auto end = Clock::now() + limit; !done(); std::this_thread::sleep_for(20ms))
        if (Clock::now() > end) return false;
    return true;
}

std::string Read(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string UtcMinute(Clock::time_point time) {
    const std::time_t seconds = Clock::to_time_t(time);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M", std::gmtime(&seconds));
    return text;
}

using Args = std::vector<std::string>;

// A process of the test's own, its output into a file; ended unless it ended itself.
struct Child {
    Child(Args argv, const std::string& log) {
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, log.c_str(), O_CREAT | O_RDWR | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&files, 1, 2);
        std::vector<char*> args;
        for (std::string& arg : argv)
            args.push_back(arg.data());
        args.push_back(nullptr);
        if (posix_spawn(&pid, args[0], &files, nullptr, args.data(), environ) != 0) pid = 0;
        posix_spawn_file_actions_destroy(&files);
    }
    ~Child() { stop(SIGTERM); }
    // The exit status after signal, -1 when the process did not end by itself.
    int stop(int signal) {
        if (pid <= 0) return -1;  // kill(0, ...) would reach the test's own group
        kill(pid, signal);
        int status = 0;
        if (!Eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; })) return -1;
        pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    pid_t pid = 0;
};

// mosquitto_sub on everything: each message a line "RETAINED TOPIC PAYLOAD",
// RETAINED 1 for what the broker kept, among its debug lines. Patterns see
// the lines since forget() with a line end before each.
struct Watcher {
    explicit Watcher(const std::string& port, Args options = {})
        : m_file("watch" + std::to_string(reinterpret_cast<unsigned long>(this))) {
        options.insert(options.begin(), {STDBUF, "-oL", MOSQUITTO_SUB, "-d", "-h", "127.0.0.1",
                                         "-p", port, "-t", "#", "-F", "%r %t %p"});
        m_sub = std::make_unique<Child>(options, m_file);
        expect("SUBACK");
    }
    // What the pattern finds, waited for; empty and a failure if nothing.
    std::smatch expect(const std::string& pattern, std::chrono::seconds wait = 90s) {
        const std::regex wanted(pattern);
        std::smatch found;
        const auto seen = [&] {
            return std::regex_search(m_text = "\n" + Read(m_file).substr(m_from), found, wanted);
        };
        if (!Eventually(seen, wait) && wait > 0s)
            ADD_FAILURE() << "no " << pattern << " in" << m_text;
        return found;
    }
    void forget() { m_from = Read(m_file).size(); }
    std::string m_file;
    std::size_t m_from = 0;
    std::string m_text;  // what the last search saw, where its match points
    std::unique_ptr<Child> m_sub;
};

class BridgeTest : public testing::Test {
  protected:
    void SetUp() override {
        // Local time is not UTC then, so the payloads' time shows which they carry.
        setenv("TZ", "Asia/Kolkata", 1);
        // Line a: module 1, and module 2 silent until a test lets it answer.
        std::string error;
        m_sim =
            zan1sim::PtyServer::start({{{1, ""}, {2, ""}}, {{2, zan1sim::Fault::Silent}}}, &error);
        if (!m_sim) GTEST_SKIP() << "no pseudo-terminal for the simulator: " << error;
    }
    void startBroker(const std::string& settings = "allow_anonymous true\n") {
        // Run as root, it would otherwise read its files as user mosquitto.
        std::ofstream("broker.conf") << "listener " << m_port << " 127.0.0.1\nuser root\n"
                                     << settings;
        m_broker = std::make_unique<Child>(Args{MOSQUITTO, "-c", "broker.conf"}, "broker.log");
        EXPECT_TRUE(
            Eventually([] { return Read("broker.log").find(" running") != std::string::npos; }));
    }
    // Channel 1 of module 1 on line a in bar.
    void startBridge(const std::string& settings, const std::string& scheme = "mqtt") {
        std::ofstream("bridge.ini")
            << "[Bridge]\nbroker = " << scheme << "://127.0.0.1:" << m_port << "\nprefix = t/zan1\n"
            << settings << "[Line a]\nport = " << m_sim->devicePath()
            << "\n[Scaling a 1]\nunit1 = bar\nmin1 = 20\nmax1 = 120\n";
        m_bridge =
            std::make_unique<Child>(Args{ZAN1BRIDGE, "--config", "bridge.ini"}, "bridge.log");
    }
    // What arrives of it shows whether it went out.
    void send(const std::string& topic, const std::string& payload) {
        Child({MOSQUITTO_PUB, "-h", "127.0.0.1", "-p", m_port, "-t", topic, "-m", payload}, "pub")
            .stop(0);
    }

    testsupport::TemporaryCurrentDirectory m_dir;
    const std::string m_port = std::to_string(testsupport::LoopbackSocket().port);
    std::unique_ptr<zan1sim::PtyServer> m_sim;
    std::unique_ptr<Child> m_broker, m_bridge;
};

TEST_F(BridgeTest, ModulesAppearWithTheirValuesAndGoAndComeBackWithTheirLine) {
    // Line b, a process: the bridge opens it again as soon as it is back.
    const Args lineB = {ZAN1SIM, "--link", m_dir.path() / "b", "--module", "3"};
    auto simB = std::make_unique<Child>(lineB, "b.log");
    startBroker();
    startBridge("poll_seconds = 0.1\nscan_minutes = 0.02\n[Line b]\nport = " + lineB[2] + "\n");
    Watcher watcher(m_port);
    const std::string pattern =
        R"( t/zan1/a/1/state \{"time":"(\d{4}-\d\d-\d\dT\d\d:\d\d):\d\d\.\d{3}Z","volt1":)"
        R"((-?\d+\.\d{3}),"volt2":-?\d+\.\d{3},"status_byte":\d+,"value1":(-?\d+\.\d+),)"
        R"("unit1":"bar"\}\n)";
    const std::smatch field = watcher.expect(pattern);
    EXPECT_TRUE(field[1] == UtcMinute(Clock::now()) || field[1] == UtcMinute(Clock::now() - 60s))
        << field[0];
    EXPECT_NEAR(std::stod(field[3]), 20 + 10 * std::stod(field[2]), 0.06) << field[0];
    // The broker keeps them for whoever comes later.
    watcher.expect(" t/zan1/b/3/status online\n");
    Watcher late(m_port);
    for (const char* kept :
         {"bridge/status online", "a/1/status online", "a/1/id VEK-ZAN1B-SIM", "b/3/status online"})
        late.expect("\n1 t/zan1/" + std::string(kept) + "\n");
    // Address 2 was asked while silent, so it comes only with the next scan.
    EXPECT_TRUE(Eventually([&] { return std::ranges::count(m_sim->frames(), "#2IDR\r") > 0; }));
    EXPECT_TRUE(watcher.expect(" t/zan1/a/2/status", 0s).empty());
    m_sim->setFault(2, zan1sim::Fault::None);
    watcher.expect(" t/zan1/a/2/status online\n");
    watcher.expect(" t/zan1/a/2/state ");

    EXPECT_EQ(simB->stop(SIGTERM), 0);
    watcher.expect(" t/zan1/b/3/status offline\n");
    watcher.forget();
    simB = std::make_unique<Child>(lineB, "b.log");
    watcher.expect(" t/zan1/b/3/status online\n");
}

TEST_F(BridgeTest, AsksABrokerThatHangsUpAgainAfterPausesThatDouble) {
    platform::UniqueFd hangsUp(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{AF_INET, htons(std::stoi(m_port)), {htonl(INADDR_LOOPBACK)}, {}};
    ASSERT_EQ(bind(hangsUp.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(hangsUp.get(), 4), 0);
    startBridge("");
    std::vector<Clock::time_point> asked;
    for (const auto end = Clock::now() + 30s; asked.size() < 3 && Clock::now() < end;) {
        pollfd ready{hangsUp.get(), POLLIN, 0};
        if (poll(&ready, 1, 100) != 1) continue;
        close(accept(hangsUp.get(), nullptr, nullptr));
        asked.push_back(Clock::now());
    }
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_NEAR(std::chrono::duration<double>(asked[1] - asked[0]).count(), 1, 0.5);
    EXPECT_NEAR(std::chrono::duration<double>(asked[2] - asked[1]).count(), 2, 0.5);
}

TEST_F(BridgeTest, ReconnectsToARestartedBrokerWhileTheLineGoesOn) {
    // Before its broker, as a service may start: it finds no broker at first.
    startBridge("poll_seconds = 0.2\n");
    EXPECT_TRUE(Eventually([] { return Read("bridge.log").find("trying again") < 1000; }));
    startBroker();
    Watcher watcher(m_port);
    watcher.expect(" t/zan1/a/1/state ");
    m_broker->stop(SIGKILL);
    // Far fewer than the 1000 frames the simulator keeps went by so far.
    const std::size_t before = m_sim->frames().size();
    EXPECT_TRUE(Eventually([&] { return m_sim->frames().size() >= before + 20; }));
    // Held until mosquitto_sub is back, as the new broker keeps nothing for it.
    kill(m_bridge->pid, SIGSTOP);
    watcher.forget();
    startBroker();
    watcher.expect("SUBACK");
    kill(m_bridge->pid, SIGCONT);
    watcher.expect(R"( t/zan1/bridge/dropped \{"dropped":[1-9]\d*\}\n)");
    watcher.expect(" t/zan1/bridge/status online\n");
    watcher.expect(" t/zan1/a/1/state ");
    Watcher(m_port).expect("\n1 t/zan1/a/1/id VEK-ZAN1B-SIM\n");
}

TEST_F(BridgeTest, CommandsAreCheckedBeforeTheLineAndRefusedWithoutWrites) {
    startBroker();
    startBridge("writes = 0\n");
    Watcher watcher(m_port);
    watcher.expect(" t/zan1/a/1/status online\n");
    send("t/zan1/a/1/set/soll1", "5");
    watcher.expect(R"( t/zan1/a/1/result \{"parameter":"soll1","code":0,"error":"writes are off)");
    // Stopped, it leaves its modules and itself offline.
    EXPECT_EQ(m_bridge->stop(SIGTERM), 0);
    watcher.expect(" t/zan1/a/1/status offline\n");
    watcher.expect(" t/zan1/bridge/status offline\n");
    watcher.forget();

    startBridge("writes = 1\n");
    watcher.expect(" t/zan1/a/1/status online\n");
    testsupport::RunCaseTable(ZAN1_BRIDGE_COMMANDS, 10, [&](const std::string& line) {
        std::smatch field;
        if (!std::regex_match(line, field, std::regex("(.+)/set/(.+) \\| (.*) \\| (.+)")))
            return false;
        watcher.forget();
        send("t/zan1/" + field[1].str() + "/set/" + field[2].str(), field[3]);
        watcher.expect(" t/zan1/" + field[1].str() + "/result " + field[4].str());
        return true;
    });
    EXPECT_EQ(m_sim->parameter(1, "soll1"), 7.25);
    EXPECT_EQ(
        std::ranges::count_if(m_sim->frames(), [](auto& f) { return f.find('W') < f.size(); }), 1);
}

TEST_F(BridgeTest, TlsAndPasswordWorkAndAWrongOrMissingPasswordIsNamed) {
    // A CA of the test's own, the broker's certificate for 127.0.0.1, the password.
    ASSERT_EQ(0,
              std::system("(openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=ca -keyout ca.key "
                          "-out ca.crt && openssl req -x509 -newkey rsa:2048 -nodes -subj "
                          "/CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -CA ca.crt -CAkey "
                          "ca.key -keyout s.key -out s.crt && " MOSQUITTO_PASSWD
                          " -c -b pw bench secret) 2>/dev/null"));
    startBroker(
        "allow_anonymous false\npassword_file pw\ncafile ca.crt\ncertfile s.crt\n"
        "keyfile s.key\n");
    const std::string settings = "user = bench\npassword_file = password\nca_file = ca.crt\n";
    std::ofstream("password") << "secret\n";
    startBridge(settings, "mqtts");
    Watcher(m_port, {"--cafile", "ca.crt", "-u", "bench", "-P", "secret"})
        .expect(" t/zan1/a/1/state ");
    EXPECT_EQ(m_bridge->stop(SIGTERM), 0);

    std::ofstream("password") << "guessed\n";
    startBridge(settings, "mqtts");
    EXPECT_TRUE(Eventually([] {
        return std::regex_search(
            Read("bridge.log"), std::regex("refused the connection.*check user and password_file"));
    })) << Read("bridge.log");

    std::filesystem::remove("password");
    startBridge(settings, "mqtts");
    EXPECT_TRUE(Eventually([] {
        return Read("bridge.log").find("password_file password: No such file") != std::string::npos;
    })) << Read("bridge.log");
    EXPECT_EQ(m_bridge->stop(SIGTERM), 1);
}

}  // namespace
