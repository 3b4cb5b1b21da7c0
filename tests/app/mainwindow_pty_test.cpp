// The main window end to end: callbacks and timer against the simulated
// module on a real pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "driver/vekzan1.h"
#include "errors/errordisplay.h"
#include "tests/app/mainwindow.h"
#include "tests/e2e/simfixture.h"

namespace {

using zan1sim::Fault;

class MainWindowOnPty : public SimBus, protected testsupport::MainWindowBase {
  protected:
    void SetUp() override { load(); }
    void TearDown() override {
        unload();
        SimBus::TearDown();
    }
    void start(zan1sim::Options options = {}) {
        startBus(options);
        if (IsSkipped()) return;
        SetCtrlVal(panelHandle, PANEL_PORT, kPort);
    }
    // Sets a module parameter directly, as another program would.
    void Vorgeben(const char* name, double value) {
        ASSERT_EQ(VEKZAN1_Open(kPort), 0);
        EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, name, value), 0);
        VEKZAN1_Close(kPort);
    }
    bool Received(const std::string& frame) {
        for (const std::string& f : sim().frames()) {
            if (f == frame) return true;
        }
        return false;
    }
};

struct ModeCase {
    double mode;
    double sollwert1;  // channel 1 reads 0..100
    double stellwert1;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << "mode " << c.mode;
}

class ReadBackOnPty : public MainWindowOnPty, public testing::WithParamInterface<ModeCase> {};

TEST_P(ReadBackOnPty, ConnectShowsWhatTheModuleWorksWith) {
    start();
    if (IsSkipped()) return;
    Skalieren(1, 0, 100);
    Vorgeben("betriebsart1", GetParam().mode);
    Vorgeben("soll1", 4.0);
    Vorgeben("stellgroesse1", 6.0);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 70.0);
    SetCtrlVal(panelHandle, PANEL_STELLWERT1, 1.5);
    Verbinden(true);
    ExpectConnected(true);
    EXPECT_EQ(Fehlernummer(), 0);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_SOLLWERT1), GetParam().sollwert1);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_STELLWERT1), GetParam().stellwert1);
    Verbinden(false);
    ExpectConnected(false);
}

INSTANTIATE_TEST_SUITE_P(Sim, ReadBackOnPty,
                         testing::Values(ModeCase{1, 40, 1.5}, ModeCase{2, 70, 1.5},
                                         ModeCase{3, 70, 6}),
                         [](const auto& info) {
                             return "Mode" + std::to_string(static_cast<int>(info.param.mode));
                         });

TEST_F(MainWindowOnPty, SchreibenSendsVoltsAndReadsTheSetBack) {
    start();
    if (IsSkipped()) return;
    Skalieren(1, 0, 100);
    SetCtrlVal(tabpanelRegler1, TABPANEL_ANFANGSSOLLWERT_, 25.0);
    SetCtrlVal(tabpanelRegler1, TABPANEL_PANTEIL, 150.0);
    FehlerSetzen(-403011);
    ASSERT_TRUE(userint::DispatchCommit(panelHandle, PANEL_SCHREIBEN));
    EXPECT_EQ(Fehlernummer(), 0);
    EXPECT_TRUE(Received("#1S5W2.500\r"));
    EXPECT_EQ(sim().parameter(1, "anfangssoll1"), 2.5);
    EXPECT_TRUE(Received("#1S5R\r"));  // read back after writing
    EXPECT_DOUBLE_EQ(Num(tabpanelRegler1, TABPANEL_ANFANGSSOLLWERT_), 25);
    int precision = 0;
    GetCtrlAttribute(tabpanelRegler1, TABPANEL_PANTEIL, ATTR_PRECISION, &precision);
    EXPECT_EQ(precision, 2);
    EXPECT_EQ(gComPort, -1);  // opened and closed on demand
}

TEST_F(MainWindowOnPty, SilentModuleEndsTheConnectionAfterOnePoll) {
    start();
    if (IsSkipped()) return;
    Verbinden(true);
    Tick();
    ExpectConnected(true);
    sim().setFault(1, Fault::Silent);
    Tick();
    ExpectConnected(false);
    EXPECT_EQ(Fehlernummer(), 403052);
    EXPECT_EQ(Int(panelHandle, PANEL_FEHLERLED), 1);
}

TEST_F(MainWindowOnPty, AddressChangeWhileConnectedRedirectsThePolls) {
    zan1sim::Options options;
    options.devices = {{1, "", false}, {3, "", false}};
    start(options);
    if (IsSkipped()) return;
    Verbinden(true);
    Tick();
    EXPECT_EQ(sim().frames().back(), "#1V6R\r");
    SetCtrlVal(panelHandle, PANEL_ADRESSE, 3);
    Tick();
    const std::vector<std::string> frames = sim().frames();
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames[frames.size() - 2], "#3V5R\r");
    EXPECT_EQ(frames.back(), "#3V6R\r");
    ExpectConnected(true);
}

// After power-on the module ramps its setpoint up, so the actual value rises.
TEST_F(MainWindowOnPty, ActualValueAndChartMoveWhileConnected) {
    start();
    if (IsSkipped()) return;
    Verbinden(true);
    Tick();
    const double first = Num(panelHandle, PANEL_ISTWERT1);
    constexpr int kMaxTicks = 40;  // 2 s at most
    int ticks = 1;
    while (ticks < kMaxTicks && Num(panelHandle, PANEL_ISTWERT1) == first) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        Tick();
        ++ticks;
    }
    EXPECT_NE(Num(panelHandle, PANEL_ISTWERT1), first);
    const std::vector<double> trace = userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0);
    ASSERT_EQ(trace.size(), static_cast<std::size_t>(ticks));
    EXPECT_NE(trace.front(), trace.back());
    EXPECT_EQ(trace.back(), Num(panelHandle, PANEL_ISTWERT1));
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 1).size(), trace.size());
    ExpectConnected(true);
}

}  // namespace

namespace {

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// The port is open exactly while the connection is held, over many operations.
TEST_F(MainWindowOnPty, NoDescriptorIsLeftBehindAfterAThousandOperations) {
    start();
    if (IsSkipped()) return;
    const int before = OpenDescriptors();
    for (int i = 0; i < 1000; ++i) {
        switch (i % 4) {
            case 0:
                userint::DispatchCommit(panelHandle, PANEL_IDLESEN);
                break;
            case 1:
                Verbinden(true);
                break;
            case 2:
                Tick();
                break;
            case 3:
                Verbinden(false);
                break;
        }
        const bool held = i % 4 == 1 || i % 4 == 2;
        ASSERT_EQ(gComPort != -1, held) << "operation " << i;
    }
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_EQ(Fehlernummer(), 0);
}

}  // namespace
