// Bus scan and identification read against scripted answers.
#include <array>
#include <deque>
#include <string>

#include "tests/moduleops/moduleopstest.h"

namespace {

using moduleopstest::ModuleOps;
using moduleopstest::Text;
using moduleopstest::Val;
using testsupport::kSilence;

enum Lamp { Off, Green, Red };

struct BusCase {
    const char* name;
    std::array<const char*, 8> answers;  // per address; nullptr: silent
    std::array<Lamp, 8> leds;
    const char* idstring;
};

void PrintTo(const BusCase& c, std::ostream* os) {
    *os << c.name;
}

class Scan : public ModuleOps, public testing::WithParamInterface<BusCase> {};

TEST_P(Scan, ShowsEachAddressInItsLed) {
    const BusCase& c = GetParam();
    std::string frames;
    for (int address = 1; address <= 8; ++address) {
        const char* id = c.answers[address - 1];
        if (id) {
            answer("\x06#" + std::to_string(address) + id + "\r");
        } else {
            script().answerNextWrite(std::deque<int>{kSilence});
        }
        frames += "#" + std::to_string(address) + "IDR\r";
        // An earlier scan's lamps must not survive this one.
        SetCtrlAttribute(panelHandle, PANEL_LED1 + address - 1, ATTR_ON_COLOR, 0x0000FF);
        SetCtrlVal(panelHandle, PANEL_LED1 + address - 1, 1);
    }
    SetCtrlVal(panelHandle, PANEL_IDSTRING, "alt");

    ASSERT_EQ(ZAN1Scann(), 0);
    EXPECT_EQ(script().written, frames);
    for (int address = 1; address <= 8; ++address) {
        const int led = PANEL_LED1 + address - 1;
        const Lamp expected = c.leds[address - 1];
        EXPECT_EQ(Val<int>(panelHandle, led), expected == Off ? 0 : 1) << "LED" << address;
        if (expected == Off) continue;
        int colour = 0;
        GetCtrlAttribute(panelHandle, led, ATTR_ON_COLOR, &colour);
        EXPECT_EQ(colour, expected == Green ? 0x00FF00 : 0xFF0000) << "LED" << address;
    }
    EXPECT_EQ(Text(panelHandle, PANEL_IDSTRING), c.idstring);
    EXPECT_EQ(Text(panelHandle, PANEL_TEXT), "");
}

constexpr const char* kNone = nullptr;

INSTANTIATE_TEST_SUITE_P(
    ModuleOps, Scan,
    testing::Values(BusCase{"ModulesAt2And5ForeignAt3",
                            {kNone, "VEK-ZAN1B-ZWEI", "FREMD-GERAET", kNone, "VEK-ZAN1B-FUENF",
                             kNone, kNone, kNone},
                            {Off, Green, Red, Off, Green, Off, Off, Off},
                            "VEK-ZAN1B-FUENF"},
                    BusCase{"EmptyBusClearsTheIdentification",
                            {kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone},
                            {Off, Off, Off, Off, Off, Off, Off, Off},
                            ""},
                    BusCase{"ForeignDeviceAboveAModuleKeepsItsIdentification",
                            {kNone, kNone, kNone, kNone, kNone, kNone, "VEK-ZAN1", "VEK-ZAN"},
                            {Off, Off, Off, Off, Off, Off, Green, Red},
                            "VEK-ZAN1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModuleOps, ScanShowsTheAddressBeforeItsProbe) {
    moduleopstest::StatusRecorder recorder(script());
    ASSERT_EQ(ZAN1Scann(), 0);
    std::vector<std::pair<std::string, std::string>> expected;
    std::string frames;
    for (int address = 1; address <= 8; ++address) {
        expected.emplace_back("Suche nach Gerät " + std::to_string(address), frames);
        frames += "#" + std::to_string(address) + "IDR\r";
    }
    expected.emplace_back("", frames);
    EXPECT_EQ(recorder.shown, expected);
}

struct IdCase {
    const char* name;
    int address;
    const char* answer;  // nullptr: silent
    int code;
    const char* written;
    const char* idstring;
};

void PrintTo(const IdCase& c, std::ostream* os) {
    *os << c.name;
}

class Identification : public ModuleOps, public testing::WithParamInterface<IdCase> {};

TEST_P(Identification, ReadsTheAddressInTheRing) {
    const IdCase& c = GetParam();
    SetCtrlVal(panelHandle, PANEL_ADRESSE, c.address);
    SetCtrlVal(panelHandle, PANEL_IDSTRING, "alt");
    if (c.answer) answer(c.answer);
    EXPECT_EQ(IDLesen(), c.code);
    EXPECT_EQ(script().written, c.written);
    EXPECT_EQ(Text(panelHandle, PANEL_IDSTRING), c.idstring);
}

INSTANTIATE_TEST_SUITE_P(
    ModuleOps, Identification,
    testing::Values(IdCase{"Module", 4, "\x06#4VEK-ZAN1B-V2\r", 0, "#4IDR\r", "VEK-ZAN1B-V2"},
                    IdCase{"AllModulesRefused", 9, nullptr, -400005, "", ""},
                    IdCase{"SilentAddressEmptiesTheField", 6, nullptr, -403011, "#6IDR\r", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
