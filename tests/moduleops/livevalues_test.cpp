// Setpoint and manipulated-value writes, and the actual-value read.
#include <string>

#include "tests/moduleops/moduleopstest.h"

namespace {

using moduleopstest::Abbildung;
using moduleopstest::kAck;
using moduleopstest::ModuleOps;

struct WriteCase {
    const char* name;
    int (*write)(int kanal);
    int kanal;
    int control;     // 0: none
    double entered;  // in the control's unit
    Konfigstruktur konfig1;
    Konfigstruktur konfig2;
    const char* frame;  // empty: nothing sent
    int code;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

const Konfigstruktur kVolt = Abbildung(0, 10);
const Konfigstruktur kProzent = Abbildung(0, 100);
// 10 user units are 10.5 V.
const Konfigstruktur kZuWeit = {0, 10.5, 0, 10, "E"};

class LiveWrite : public ModuleOps, public testing::WithParamInterface<WriteCase> {};

TEST_P(LiveWrite, SendsTheValueInVolts) {
    const WriteCase& c = GetParam();
    moduleopstest::Skalieren(1, c.konfig1);
    moduleopstest::Skalieren(2, c.konfig2);
    if (c.control) {
        // Wide open, so that a value beyond what the scaling allows can be entered.
        BereichSetzen(panelHandle, c.control, -1000, 1000);
        ASSERT_EQ(SetCtrlVal(panelHandle, c.control, c.entered), 0);
    }
    answer(kAck);
    EXPECT_EQ(c.write(c.kanal), c.code);
    EXPECT_EQ(script().written, c.frame);
    EXPECT_EQ(script().closes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    ModuleOps, LiveWrite,
    testing::Values(WriteCase{"SetpointScaledToVolts", SollwertSchreiben, 1, PANEL_SOLLWERT1, 25,
                              kProzent, kVolt, "#1S1W2.500\r", 0},
                    WriteCase{"SetpointAboveTenVoltsRefused", SollwertSchreiben, 2, PANEL_SOLLWERT2,
                              10, kVolt, kZuWeit, "", -500071},
                    WriteCase{"NoThirdSetpoint", SollwertSchreiben, 3, 0, 0, kVolt, kVolt, "", 0},
                    WriteCase{"ManipulatedValueStaysInVolts", StellwertSchreiben, 1,
                              PANEL_STELLWERT1, 4.2, kProzent, kProzent, "#1V1W4.200\r", 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
    const char* name;
    int address;
    const char* answer1;  // empty: silent
    const char* answer2;
    int code;
    double istwert1;  // afterwards; the variables start at -1
    double istwert2;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ActualValues : public ModuleOps, public testing::WithParamInterface<ReadCase> {};

TEST_P(ActualValues, ReadBothChannelsInVolts) {
    const ReadCase& c = GetParam();
    moduleopstest::Skalieren(1, kProzent);  // not applied here: the caller converts
    SetCtrlVal(panelHandle, PANEL_ADRESSE, c.address);
    answer(c.answer1);
    answer(c.answer2);
    double istwert1 = -1, istwert2 = -1;
    EXPECT_EQ(IstwerteLesen(&istwert1, &istwert2), c.code);
    EXPECT_EQ(istwert1, c.istwert1);
    EXPECT_EQ(istwert2, c.istwert2);
}

INSTANTIATE_TEST_SUITE_P(ModuleOps, ActualValues,
                         testing::Values(ReadCase{"BothAnswered", 2, "\x06#2V5R2.345\r",
                                                  "\x06#2V6R9.870\r", 0, 2.345, 9.87},
                                         ReadCase{"FirstSilentChangesNothing", 1, "",
                                                  "\x06#1V6R9.870\r", -403052, -1, -1},
                                         ReadCase{"SecondSilentKeepsTheFirst", 1,
                                                  "\x06#1V5R2.345\r", "", -403052, 2.345, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
