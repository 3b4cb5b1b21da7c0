// The module operations over a scripted port: the held port, the
// open-on-demand rule and the parameter sets.
#include "platform/rs232/portmap.h"
#include "tests/moduleops/moduleopstest.h"

namespace {

using moduleopstest::Control;
using moduleopstest::Frames;
using moduleopstest::kAcks;
using moduleopstest::ModuleOps;
using moduleopstest::Num;

// One port at a time: opening another closes the old one first, -1 closes.
TEST_F(ModuleOps, OneHeldPortSwitchedByNumber) {
    const struct {
        int port, failOpen, failTimeout, code, held, closes;
    } kSchritte[] = {
        {4, 0, 0, 0, 4, 0},         // opens
        {4, 0, 0, 0, 4, 0},         // already open: nothing happens
        {6, 0, 0, 0, 6, 1},         // the old one is closed first
        {5, 1, 0, -100002, -1, 2},  // does not open: none held
        {5, 0, 1, -111004, 5, 2},   // open and recorded all the same
        {-1, 0, 0, 0, -1, 3},       // closes
    };
    for (const auto& s : kSchritte) {
        script().failOpen = s.failOpen;
        script().failTimeout = s.failTimeout;
        EXPECT_EQ(ComPortOeffnen(s.port), s.code) << s.port;
        EXPECT_EQ(gComPort, s.held);
        EXPECT_EQ(script().closes, s.closes);
    }
    EXPECT_EQ(script().timeout, 1.0);
    EXPECT_EQ(CloseComPort(), 0);
}

double gIstwert[2];

const struct Operation {
    const char* name;
    int (*run)();
    std::string answers;  // that let it succeed
    bool reportsErrors;   // the scan shows a silent bus in its lamps only
} kOperations[] = {
    {"ZAN1Scann", ZAN1Scann, "", false},
    {"IDLesen", IDLesen, "1VEK-ZAN1B", true},
    {"SollwertSchreiben", [] { return SollwertSchreiben(2); }, "ACK", true},
    {"StellwertSchreiben", [] { return StellwertSchreiben(1); }, "ACK", true},
    {"IstwerteLesen", [] { return IstwerteLesen(&gIstwert[0], &gIstwert[1]); }, "1V5R1 1V6R2",
     true},
    {"ParametersatzLesen", ParametersatzLesen,
     "1P1R1 1I1R1 1D1R1 1S5R1 1L1R1 1H1R1 1F1R1 1M1R1 1M3R1 "
     "1P2R1 1I2R1 1D2R1 1S6R1 1L2R1 1H2R1 1F2R1 1M2R1 1M4R1",
     true},
    {"ParametersatzSchreiben", ParametersatzSchreiben, kAcks, true},
};

// Without a held connection an operation opens the port in PORT and closes it
// on every way out; a held port stays open.
TEST_F(ModuleOps, EveryOperationOpensOnDemand) {
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        reset();
        answer(op.answers);
        EXPECT_EQ(op.run(), 0);
        EXPECT_EQ(script().device, rs232::DefaultDeviceForPort(3));
        EXPECT_EQ(op.run() < 0, op.reportsErrors);  // nothing answers now
        script().failTimeout = true;
        EXPECT_EQ(op.run(), -111004);
        EXPECT_EQ(script().closes, 3);
        EXPECT_EQ(gComPort, -1);  // not taken for a held connection afterwards
        const std::string written = script().written;
        script().failOpen = true;
        EXPECT_EQ(op.run(), -100002);
        EXPECT_EQ(script().written, written);

        script().failOpen = script().failTimeout = false;
        ASSERT_EQ(OpenComPort(), 0);
        answer(op.answers);
        EXPECT_EQ(op.run(), 0);
        EXPECT_EQ(script().closes, 3);
        EXPECT_EQ(gComPort, 3);
    }
    const std::string written = script().written;
    EXPECT_EQ(SollwertSchreiben(3) + StellwertSchreiben(0), 0);  // no such channel: nothing sent
    EXPECT_EQ(script().written, written);
}

// A channel's page changes only once its whole set has arrived; writing stops
// at the first refusal.
TEST_F(ModuleOps, ParameterSetsBetweenModuleAndPages) {
    const auto satz = moduleopstest::Faelle("parameterset.txt");
    const auto seite = [](std::size_t i) { return i < 9 ? tabpanelRegler1 : tabpanelRegler2; };
    for (const std::size_t failsAt : {18, 0, 8, 9, 17}) {
        SCOPED_TRACE(failsAt);
        reset();
        moduleopstest::Skalieren(1, 0, 100);
        moduleopstest::Skalieren(2, 100, 200);
        SetCtrlVal(panelHandle, PANEL_ADRESSE, 5);
        std::vector<double> vorher;
        std::string reads, writes;
        for (std::size_t i = 0; i < satz.size(); ++i) {
            vorher.push_back(Num(seite(i), Control(seite(i), satz[i][1])));
            if (i > failsAt) continue;
            answer(i < failsAt ? "5" + satz[i][0] + "R" + satz[i][2] : "NAK");
            reads += "5" + satz[i][0] + "R ";
            writes += "5" + satz[i][0] + "W" + satz[i][4] + " ";
        }
        EXPECT_EQ(ParametersatzLesen(), failsAt == 18 ? 0 : -402050);
        EXPECT_EQ(script().written, Frames(reads));
        for (std::size_t i = 0; i < satz.size(); ++i) {
            const int control = Control(seite(i), satz[i][1]);
            const bool komplett = failsAt >= (i < 9 ? 9 : 18);
            EXPECT_DOUBLE_EQ(Num(seite(i), control), komplett ? std::stod(satz[i][3]) : vorher[i])
                << i;
            ASSERT_EQ(userint::OperatorSetValue(seite(i), control, std::stod(satz[i][3])), 0);
        }
        script().written.clear();
        for (std::size_t i = 0; i < failsAt; ++i)
            answer("ACK");
        answer("NAK");
        EXPECT_EQ(ParametersatzSchreiben(), failsAt == 18 ? 0 : -402040);
        EXPECT_EQ(script().written, Frames(writes));
    }
}

}  // namespace
