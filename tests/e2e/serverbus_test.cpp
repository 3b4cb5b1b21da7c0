// The simulated bus behind a real serial device server: ser2net in raw TCP
// mode on the loopback serves the simulator's pseudo-terminal, and zan1ctl and
// the operator window reach it as tcp://127.0.0.1:PORT.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/run.h"
#include "config/ZAN1Konfig.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/uniquefd.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "tests/e2e/simfixture.h"
#include "tests/support/panels.h"
#include "tests/support/tempdir.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

// A socket connected to port on the loopback; not valid when nothing accepts there.
platform::UniqueFd Connect(int port) {
    platform::UniqueFd s(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) s.reset();
    return s;
}

int FreePort() {
    const platform::UniqueFd s(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* raw = reinterpret_cast<sockaddr*>(&address);
    if (bind(s.get(), raw, length) != 0 || getsockname(s.get(), raw, &length) != 0) return 0;
    return ntohs(address.sin_port);
}

class BehindServer : public SimBus {
  protected:
    // Every address answers, so that a scan waits for no timeout.
    void SetUp() override {
        zan1sim::Options bus;
        for (int address = 1; address <= 8; ++address)
            bus.devices.push_back({address, address == 2 ? "WAAGE-7" : "", address == 2});
        startBus(bus);
        if (IsSkipped()) return;
        m_port = FreePort();
        std::ofstream(m_directory.path() / "ser2net.yaml")
            << "connection: &zan1\n  accepter: tcp,127.0.0.1," << m_port
            << "\n  connector: serialdev," << sim().devicePath() << ",9600o71,local\n"
            << "  options:\n    kickolduser: true\n";
        startServer();
        if (IsSkipped()) return;
        m_device = "tcp://127.0.0.1:" + std::to_string(m_port);
        rs232::SetPortDevice(kPort, m_device);
    }
    void TearDown() override {
        stopServer();
        SimBus::TearDown();
    }
    // The server as a crashed one goes: the system closes its connections.
    void stopServer() {
        if (m_server <= 0) return;
        kill(m_server, SIGKILL);
        waitpid(m_server, nullptr, 0);
        m_server = 0;
    }
    void startServer() {
        const std::string config = (m_directory.path() / "ser2net.yaml").string();
        const std::string pidFile = (m_directory.path() / "ser2net.pid").string();
        const std::string log = (m_directory.path() / "ser2net.log").string();
        std::vector<std::string> args{"ser2net", "-n", "-c", config, "-P", pidFile};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const int spawned =
            posix_spawnp(&m_server, "ser2net", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) GTEST_SKIP() << "no ser2net (scripts/deps.sh installs it)";
        for (auto waited = 0ms; waited < 5s && !Connect(m_port).valid(); waited += 20ms)
            std::this_thread::sleep_for(20ms);
    }
    // "exit status|standard output|standard error" of one zan1ctl run on the server.
    std::string run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--device", m_device});
        std::ostringstream out;
        std::ostringstream err;
        const int status = zan1ctl::Run(args, out, err, [] { return true; });
        return std::to_string(status) + '|' + out.str() + '|' + err.str();
    }

    testsupport::TemporaryCurrentDirectory m_directory;
    pid_t m_server = 0;
    int m_port = 0;
    std::string m_device;
};

TEST_F(BehindServer, Zan1ctlCommands) {
    EXPECT_EQ(run({"id"}), "0|VEK-ZAN1B-SIM\n|");
    EXPECT_EQ(run({"set", "soll1=2.5", "P2=-150"}), "0||");
    EXPECT_EQ(run({"get", "soll1", "P2"}), "0|soll1=2.5\nP2=-150\n|");
    std::string scan = "0|";
    for (int address = 1; address <= 8; ++address)
        scan += std::to_string(address) + (address == 2 ? " WAAGE-7\n" : " VEK-ZAN1B-SIM\n");
    EXPECT_EQ(run({"scan"}), scan + "|");
    EXPECT_EQ(sim().parameter(1, "P2"), -150);
}

struct SilentDialogs : userint::Dialogs {
    void message(const std::string&, const std::string&) override {}
    int selectFile(const userint::FileSelectRequest&, std::string*) override { return 0; }
};

double Value(int panel, int control) {
    return userint::FindControl(panel, control)->number;
}

// The window's commands and its poll; a server that goes away mid-poll ends
// the connection with the hang-up error, and the next command connects anew.
TEST_F(BehindServer, WindowOperations) {
    SilentDialogs dialogs;
    userint::SetDialogs(&dialogs);
    ASSERT_TRUE(testsupport::LoadAllPanels());
    KonfigstrukturAufStandardwerte();
    SetCtrlVal(panelHandle, PANEL_PORT, kPort);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 4.0);
    const auto commit = [](int control) {
        EXPECT_TRUE(userint::DispatchCommit(panelHandle, control));
        EXPECT_EQ(userint::FindControl(panelHandle, PANEL_FEHLERSTRING)->text, "") << control;
    };
    for (int control : {PANEL_SCANN, PANEL_IDLESEN, PANEL_SOLLWERT1, PANEL_LESEN, PANEL_SCHREIBEN})
        commit(control);
    EXPECT_EQ(sim().parameter(1, "soll1"), 4.0);
    EXPECT_EQ(userint::FindControl(panelHandle, PANEL_LED2)->onColor, kRgbRed);  // foreign
    EXPECT_EQ(userint::FindControl(panelHandle, PANEL_IDSTRING)->text, "VEK-ZAN1B-SIM");

    SetCtrlVal(panelHandle, PANEL_VERBINDEN, 1);
    commit(PANEL_VERBINDEN);
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_TRUE(userint::DispatchTimerTick(panelHandle, PANEL_TIMER));
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0).size(), 3u);
    stopServer();
    EXPECT_TRUE(userint::DispatchTimerTick(panelHandle, PANEL_TIMER));
    EXPECT_EQ(Value(panelHandle, PANEL_VERBINDEN), 0);
    EXPECT_EQ(gComPort, -1);
    EXPECT_EQ(Value(panelHandle, PANEL_FEHLERNUMMER), 112047);
    EXPECT_EQ(userint::FindControl(panelHandle, PANEL_FEHLERSTRING)->text,
              "Fehler beim Leeren des Schreib- oder Leesepuffers der seriellen Schnittstelle (" +
                  m_device + ": Verbindung getrennt)");

    startServer();
    commit(PANEL_IDLESEN);
    userint::SetDialogs(nullptr);
}

}  // namespace
