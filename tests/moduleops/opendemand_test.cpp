// The open-on-demand rule, the same for every operation that talks to the module.
#include <string>

#include "tests/moduleops/moduleopstest.h"

namespace {

using moduleopstest::kAck;
using moduleopstest::ModuleOps;
using testsupport::PortScript;

struct Operation {
    const char* name;
    int (*run)();
    void (*succeed)(PortScript&);  // answers that let the whole operation succeed
    bool reportsErrors;            // the scan shows errors in its LEDs only
};

void PrintTo(const Operation& operation, std::ostream* os) {
    *os << operation.name;
}

void Acks(PortScript& script, int count) {
    for (int i = 0; i < count; ++i)
        script.answerNextWrite(kAck);
}

int Istwerte() {
    double a = 0, b = 0;
    return IstwerteLesen(&a, &b);
}

const Operation kOperations[] = {
    {"ZAN1Scann", ZAN1Scann, [](PortScript&) {}, false},
    {"IDLesen", IDLesen, [](PortScript& s) { s.answerNextWrite("\x06#1VEK-ZAN1B\r"); }, true},
    {"SollwertSchreiben", [] { return SollwertSchreiben(2); }, [](PortScript& s) { Acks(s, 1); },
     true},
    {"StellwertSchreiben", [] { return StellwertSchreiben(1); }, [](PortScript& s) { Acks(s, 1); },
     true},
    {"IstwerteLesen", Istwerte,
     [](PortScript& s) {
         s.answerNextWrite("\x06#1V5R1.000\r");
         s.answerNextWrite("\x06#1V6R2.000\r");
     },
     true},
    {"ParametersatzLesen", ParametersatzLesen,
     [](PortScript& s) {
         for (const char* name : moduleopstest::kSatz)
             s.answerNextWrite(moduleopstest::ReadAnswer(1, name, "1"));
     },
     true},
    {"ParametersatzSchreiben", ParametersatzSchreiben, [](PortScript& s) { Acks(s, 18); }, true},
};

class OpenOnDemand : public ModuleOps, public testing::WithParamInterface<Operation> {};

TEST_P(OpenOnDemand, OpensAndClosesWhenNoConnectionIsHeld) {
    GetParam().succeed(script());
    EXPECT_EQ(GetParam().run(), 0);
    EXPECT_EQ(script().opens, 1);
    EXPECT_EQ(script().closes, 1);
    EXPECT_EQ(script().device, "/dev/ttyS2");  // the port chosen in PORT
    EXPECT_EQ(gComPort, -1);
}

TEST_P(OpenOnDemand, LeavesAHeldConnectionOpen) {
    connect();
    GetParam().succeed(script());
    EXPECT_EQ(GetParam().run(), 0);
    EXPECT_EQ(script().opens, 1);
    EXPECT_EQ(script().closes, 0);
    EXPECT_EQ(gComPort, 3);
}

TEST_P(OpenOnDemand, ClosesAlsoWhenTheModuleFails) {
    // No answers at all: every transaction times out.
    const int result = GetParam().run();
    if (GetParam().reportsErrors) {
        EXPECT_LT(result, 0);
    }
    EXPECT_EQ(script().closes, 1);
    EXPECT_EQ(gComPort, -1);
}

TEST_P(OpenOnDemand, ReturnsTheOpenErrorAndTouchesNothing) {
    SetCtrlVal(panelHandle, PANEL_TEXT, "vorher");
    SetCtrlVal(panelHandle, PANEL_IDSTRING, "alt");
    script().failOpen = true;
    EXPECT_EQ(GetParam().run(), -100002);
    EXPECT_EQ(GetParam().run(), -100002);  // nothing remembered: tried again
    EXPECT_EQ(script().written, "");
    EXPECT_EQ(script().closes, 0);
    EXPECT_EQ(gComPort, -1);
    EXPECT_EQ(moduleopstest::Text(panelHandle, PANEL_TEXT), "vorher");
    EXPECT_EQ(moduleopstest::Text(panelHandle, PANEL_IDSTRING), "alt");
}

TEST_P(OpenOnDemand, APortWhoseTimeoutFailedIsNotLeftOpen) {
    script().failTimeout = true;
    EXPECT_EQ(GetParam().run(), -111004);
    EXPECT_EQ(script().written, "");
    EXPECT_EQ(script().closes, 1);
    EXPECT_EQ(gComPort, -1);  // not mistaken for a held connection afterwards
}

INSTANTIATE_TEST_SUITE_P(ModuleOps, OpenOnDemand, testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
