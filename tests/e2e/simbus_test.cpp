// zan1ctl and the window against the simulated bus on a real pseudo-terminal,
// mapped to a port number, directly and behind a serial device server. A test
// is skipped when no pty can be opened.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "app/programm.h"
#include "cli/options.h"
#include "cli/run.h"
#include "driver/vekzan1.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"
#include "platform/userint/model.h"
#include "platform/userint/uithread.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "sim/ptyserver.h"
#include "tests/support/loopback.h"
#include "tests/support/panels.h"
#include "tests/support/tempdir.h"

extern char** environ;

namespace {

using zan1sim::Fault;

// zan1ctl's output, which calls back at each flush: zan1ctl flushes every line.
struct FlushHook : std::stringbuf {
    std::function<void()> hook;
    int sync() override {
        hook();
        return 0;
    }
};

// The window's loop for as long as the module thread works.
void Warten() {
    for (int i = 0; i < 2000 && !LaufendesProgramm().modul.frei(); ++i)
        userint::RunPostedWork(std::chrono::milliseconds(10));
    ASSERT_TRUE(LaufendesProgramm().modul.frei());
}

std::string Text(int control) {
    return userint::FindControl(panelHandle, control)->text;
}

class OnBus : public testing::Test {
  protected:
    static constexpr int kPort = 2;

    void startBus(const zan1sim::Options& options) {
        std::string error;
        m_sim = zan1sim::PtyServer::start(options, &error);
        if (!m_sim) GTEST_SKIP() << "no pseudo-terminal for the simulator: " << error;
        rs232::SetPortDevice(kPort, m_sim->devicePath());
    }
    // Ends the simulator: its pseudo-terminal goes away.
    void stopBus() { m_sim.reset(); }
    void TearDown() override { rs232::SetPortDevice(kPort, ""); }
    zan1sim::PtyServer& sim() { return *m_sim; }
    // "exit status|standard output|standard error" of one zan1ctl run, on the
    // bus's port unless a device is given. A monitor stops after polls rows.
    static std::string run(std::vector<std::string> args, int polls = 100) {
        if (args[0] != "--device") args.insert(args.begin(), {"--port", std::to_string(kPort)});
        std::stop_source halt;
        FlushHook rows;  // the header's flush, then a row's
        rows.hook = [&] {
            if (polls-- == 0) halt.request_stop();
        };
        std::ostream out(&rows);
        std::ostringstream err;
        const int status = zan1ctl::Run(args, out, err, halt.get_token());
        return std::to_string(status) + '|' + rows.str() + '|' + err.str();
    }

    std::unique_ptr<zan1sim::PtyServer> m_sim;
};

TEST_F(OnBus, ScanListsEveryAddress) {
    startBus({{{2, ""}, {5, "VEK-ZAN1B-FUENF"}, {3, "WAAGE-7", true}}, {}, false});
    if (IsSkipped()) return;
    EXPECT_EQ(run({"scan"}),
              "0|1 -\n2 VEK-ZAN1B-SIM\n3 WAAGE-7\n4 -\n5 VEK-ZAN1B-FUENF\n6 -\n7 -\n8 -\n|");
    EXPECT_EQ(run({"--device", sim().devicePath(), "--address", "5", "id"}),
              "0|VEK-ZAN1B-FUENF\n|");
}

TEST_F(OnBus, WritesInOrderReadsBackAndMonitors) {
    startBus({{{1, ""}, {2, ""}}, {}, false});
    if (IsSkipped()) return;
    EXPECT_EQ(run({"set", "soll1=2.5", "P2=-150", "modus2=1"}), "0||");
    EXPECT_EQ(run({"--address", "9", "set", "soll2=7.125"}), "0||");  // every module, no answer
    EXPECT_EQ(run({"get", "soll1", "P2", "modus2", "soll2"}),
              "0|soll1=2.5\nP2=-150\nmodus2=1\nsoll2=7.125\n|");

    const std::string status = run({"status"});
    EXPECT_TRUE(std::regex_match(status, std::regex("0\\|[0-9]+ \\(0x[0-9A-F]{2}\\)\n\\|")))
        << status;

    const std::string head = "0\\|t_s,istwert1_V,istwert2_V\n";
    const std::string row = "[0-9]+\\.[0-9]{3},[0-9.]+,[0-9.]+\n";
    const std::string counted = run({"monitor", "--interval", "0.01", "--count", "3"});
    EXPECT_TRUE(std::regex_match(counted, std::regex(head + "(" + row + "){3}\\|"))) << counted;
    const std::string stopped = run({"monitor", "--interval", "0.01"}, 2);
    EXPECT_TRUE(std::regex_match(stopped, std::regex(head + "(" + row + "){2}\\|"))) << stopped;
}

TEST_F(OnBus, FailuresPrintOneLineStopTheWritesAndReleaseThePort) {
    startBus({});
    if (IsSkipped()) return;
    EXPECT_EQ(run({"set", "soll1=3", "soll2=11", "soll1=4"}),
              "1||zan1ctl: Fehler 500071: Parameter außerhalb der Grenzwerte\n");
    EXPECT_EQ(sim().parameter(1, "soll1"), 3);
    sim().setFault(1, Fault::Nak);
    EXPECT_EQ(run({"--english", "get", "P1", "P2"}),
              "1||zan1ctl: Error 402050: Errormessage (NAK) received from device\n");
    EXPECT_EQ(run({"status"}),
              "1||zan1ctl: Fehler 402060: Fehlermeldung (NAK) vom Gerät erhalten\n");
    EXPECT_EQ(run({"--address", "9", "id"}),
              "1||zan1ctl: Fehler 400005: Unzulässige Geräteadresse\n");
    EXPECT_EQ(run({"--device", "/nonexistent/tty", "id"}),
              "1||zan1ctl: Fehler 100002: Fehler beim öffnen der seriellen Schnittstelle "
              "(/nonexistent/tty: nicht vorhanden)\n");
    EXPECT_EQ(run({"get"}),
              "2||zan1ctl: get needs at least one parameter\n" + std::string(zan1ctl::kUsage));
    EXPECT_EQ(run({"--help"}), "0|" + std::string(zan1ctl::kUsage) + "|");
    sim().setFault(1, Fault::None);
    EXPECT_EQ(run({"id"}), "0|VEK-ZAN1B-SIM\n|");
    EXPECT_LT(CloseCom(kPort), 0);  // nothing left open
}

// The simulator goes away while zan1ctl polls it, as an unplugged adapter does.
TEST_F(OnBus, ADeviceThatGoesAwayIsReportedWithTheCodeOfTheStepThatFailed) {
    startBus({});
    if (IsSkipped()) return;
    const std::string device = sim().devicePath();
    FlushHook rows;
    rows.hook = [&, flushes = 0]() mutable {
        if (++flushes == 2) stopBus();  // after the first row
    };
    std::ostream out(&rows);
    std::ostringstream err;
    EXPECT_EQ(
        zan1ctl::Run({"--port", std::to_string(kPort), "monitor", "--interval", "0.01"}, out, err),
        1);
    EXPECT_EQ(err.str(),
              "zan1ctl: Fehler 112047: Fehler beim Leeren des Schreib- oder Leesepuffers "
              "der seriellen Schnittstelle (" +
                  device + ": Gerät wurde getrennt)\n");
}

// A scan of a bus where nothing answers waits a second per address on the
// module thread; the UI thread meanwhile takes commits and shows each address
// as it comes, and "Scann" pressed again stops after the address in flight.
// Nothing of an earlier scan stays lit.
TEST_F(OnBus, TheWindowAnswersWhileASilentBusIsScanned) {
    startBus({});
    if (IsSkipped()) return;
    sim().setFault(1, Fault::Silent);
    ASSERT_TRUE(testsupport::LoadAllPanels());
    struct : userint::View {
        void run() override {}
        void quit() override {}
        void panelChanged(int) override {}
        void controlChanged(int, int control) override {
            if (control == PANEL_TEXT) shown += Text(PANEL_TEXT) + "|";
        }
        void focusRequested(int, int) override {}
        std::string shown;
    } view;
    userint::SetView(&view);
    Programm programm;
    SetCtrlVal(panelHandle, PANEL_PORT, kPort);
    for (int led = PANEL_LED1; led <= PANEL_LED8; ++led)
        SetCtrlVal(panelHandle, led, 1);
    ASSERT_TRUE(userint::DispatchCommit(panelHandle, PANEL_SCANN));
    // Back at once: the scan runs, and what would start another operation is dimmed.
    EXPECT_FALSE(programm.modul.frei());
    EXPECT_TRUE(userint::FindControl(panelHandle, PANEL_LESEN)->dimmed);
    EXPECT_FALSE(userint::FindControl(panelHandle, PANEL_SCANN)->dimmed);
    for (int led = PANEL_LED1; led <= PANEL_LED8; ++led)
        EXPECT_EQ(userint::FindControl(panelHandle, led)->number, 0) << led;
    for (int i = 0; i < 300 && Text(PANEL_TEXT) != "Suche nach Gerät 2"; ++i)
        userint::RunPostedWork(std::chrono::milliseconds(10));
    ASSERT_EQ(Text(PANEL_TEXT), "Suche nach Gerät 2");
    EXPECT_FALSE(programm.modul.frei());
    EXPECT_TRUE(userint::DispatchCommit(panelHandle, PANEL_GRAPHZOOMZURUECK));
    EXPECT_TRUE(userint::DispatchCommit(panelHandle, PANEL_SCANN));
    Warten();
    EXPECT_EQ(view.shown, "Suche nach Gerät 1|Suche nach Gerät 2||");
    EXPECT_FALSE(userint::FindControl(panelHandle, PANEL_LESEN)->dimmed);
    userint::SetView(nullptr);
}

// ser2net in raw TCP mode serves the simulator's terminal on the loopback;
// the bus's port stands for tcp://127.0.0.1:PORT. Every address answers, so
// that a scan waits for no timeout.
class BehindServer : public OnBus {
  protected:
    void SetUp() override {
        zan1sim::Options bus;
        for (int address = 1; address <= 8; ++address)
            bus.devices.push_back({address, address == 2 ? "WAAGE-7" : "", address == 2});
        startBus(bus);
        if (IsSkipped()) return;
        const int port = testsupport::LoopbackSocket().port;  // free once the socket is closed
        m_device = "tcp://127.0.0.1:" + std::to_string(port);
        std::ofstream(m_directory.path() / "ser2net.yaml")
            << "connection: &zan1\n  accepter: tcp,127.0.0.1," << port
            << "\n  connector: serialdev," << sim().devicePath()
            << ",9600o71,local\n  options:\n    kickolduser: true\n";
        rs232::SetPortDevice(kPort, m_device);
        startServer();
    }
    void TearDown() override {
        stopServer();
        OnBus::TearDown();
    }
    void startServer() {
        const std::string config = m_directory.path() / "ser2net.yaml";
        const std::string pid = m_directory.path() / "ser2net.pid";
        const char* argv[] = {"ser2net", "-n", "-c", config.c_str(), "-P", pid.c_str(), nullptr};
        if (posix_spawnp(&m_server, "ser2net", nullptr, nullptr, const_cast<char**>(argv),
                         environ) != 0) {
            GTEST_SKIP() << "no ser2net; scripts/deps.sh installs it";
        }
        for (int tries = 0; tries < 250 && VEKZAN1_Open(kPort) != 0; ++tries)  // until it accepts
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        VEKZAN1_Close(kPort);
    }
    // As a crashed server goes: the system closes its connections.
    void stopServer() {
        if (m_server <= 0) return;
        kill(m_server, SIGKILL);
        waitpid(m_server, nullptr, 0);
        m_server = 0;
    }

    testsupport::TemporaryCurrentDirectory m_directory;
    pid_t m_server = 0;
    std::string m_device;
};

TEST_F(BehindServer, Zan1ctlCommands) {
    EXPECT_EQ(run({"--device", m_device, "id"}), "0|VEK-ZAN1B-SIM\n|");
    EXPECT_EQ(run({"set", "soll1=2.5", "P2=-150"}), "0||");
    EXPECT_EQ(run({"get", "soll1", "P2"}), "0|soll1=2.5\nP2=-150\n|");
    std::string scan = "0|";
    for (int address = 1; address <= 8; ++address)
        scan += std::to_string(address) + (address == 2 ? " WAAGE-7\n" : " VEK-ZAN1B-SIM\n");
    EXPECT_EQ(run({"scan"}), scan + "|");
}

// The window's commands and its poll; a server that goes away mid-poll ends
// the connection with the hang-up error, and the next command connects anew.
TEST_F(BehindServer, WindowOperations) {
    struct : userint::Dialogs {
        void message(const std::string&, const std::string&) override {}
        bool confirm(const std::string&, const std::string&) override { return true; }
        int selectFile(const userint::FileSelectRequest&, std::string*) override { return 0; }
    } dialogs;
    userint::SetDialogs(&dialogs);
    ASSERT_TRUE(testsupport::LoadAllPanels());
    Programm programm;
    SetCtrlVal(panelHandle, PANEL_PORT, kPort);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 4.0);
    SetCtrlVal(panelHandle, PANEL_VERBINDEN, 1);
    for (int control : {PANEL_SCANN, PANEL_IDLESEN, PANEL_SOLLWERT1, PANEL_LESEN, PANEL_SCHREIBEN,
                        PANEL_VERBINDEN}) {
        EXPECT_TRUE(userint::DispatchCommit(panelHandle, control));
        Warten();
        EXPECT_EQ(Text(PANEL_FEHLERSTRING), "") << control;
    }
    EXPECT_EQ(sim().parameter(1, "soll1"), 4.0);
    EXPECT_EQ(Text(PANEL_IDSTRING), "VEK-ZAN1B-SIM");
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_TRUE(userint::DispatchTimerTick(panelHandle, PANEL_TIMER));
        Warten();
    }
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0).size(), 3u);
    stopServer();
    EXPECT_TRUE(userint::DispatchTimerTick(panelHandle, PANEL_TIMER));
    Warten();
    EXPECT_FALSE(programm.istwerteAbfragen);
    EXPECT_EQ(Text(PANEL_FEHLERSTRING),
              "Fehler beim Leeren des Schreib- oder Leesepuffers der seriellen Schnittstelle (" +
                  m_device + ": Verbindung getrennt)");
    startServer();
    EXPECT_TRUE(userint::DispatchCommit(panelHandle, PANEL_IDLESEN));
    Warten();
    EXPECT_EQ(Text(PANEL_FEHLERSTRING), "");
    userint::SetDialogs(nullptr);
}

}  // namespace
