// Parameter sets between the module and the controller pages: wire order,
// conversions, partial transfers and the status text.
#include <array>
#include <string>

#include "tests/moduleops/moduleopstest.h"

namespace {

using moduleopstest::Abbildung;
using moduleopstest::Frame;
using moduleopstest::kAck;
using moduleopstest::kNak;
using moduleopstest::kSatz;
using moduleopstest::ModuleOps;
using moduleopstest::ReadAnswer;
using moduleopstest::Text;
using moduleopstest::Val;

// Module values of one set, in transfer order.
const std::array<const char*, 18> kModulwerte = {
    "2.5000", "0.7500", "0.0100", "2.500", "1.000", "9.000", "100.000", "2", "1",
    "12.345", "150.00", "0.0000", "5.000", "0.500", "8.000", "0.000",   "3", "0"};

// What writing the pages below sends, frame by frame.
const std::array<const char*, 18> kSchreibframes = {
    "#5P1W2.5000\r", "#5I1W0.7500\r", "#5D1W0.0100\r", "#5S5W2.500\r", "#5L1W1.000\r",
    "#5H1W9.000\r",  "#5F1W100.00\r", "#5M1W2\r",      "#5M3W0001\r",  "#5P2W12.345\r",
    "#5I2W150.00\r", "#5D2W0.0000\r", "#5S6W5.000\r",  "#5L2W0.500\r", "#5H2W8.000\r",
    "#5F2W0.000\r",  "#5M2W3\r",      "#5M4W0000\r"};

std::string Writes(std::size_t count) {
    std::string frames;
    for (std::size_t i = 0; i < count; ++i)
        frames += kSchreibframes[i];
    return frames;
}

// The page fields in transfer order; their values as shown under the test's scaling.
constexpr std::array<int, 9> kSeite = {
    TABPANEL_PANTEIL,          TABPANEL_IANTEIL,     TABPANEL_DANTEIL,
    TABPANEL_ANFANGSSOLLWERT_, TABPANEL_STELLMIN,    TABPANEL_STELLMAX,
    TABPANEL_ANSTIEGSZEIT,     TABPANEL_BETRIEBSART, TABPANEL_MODUSISTWERTNULL};
// Channel 1 mapped 0..10 V onto 0..100, channel 2 onto 100..200 (an offset).
const std::array<double, 9> kSeite1 = {2.5, 0.75, 0.01, 25, 1, 9, 1000, 2, 1};
const std::array<double, 9> kSeite2 = {12.345, 150, 0, 150, 0.5, 8, 100, 3, 0};

std::array<double, 9> Seite(int page) {
    std::array<double, 9> values{};
    for (std::size_t i = 0; i < kSeite.size(); ++i) {
        values[i] = kSeite[i] == TABPANEL_MODUSISTWERTNULL ? Val<int>(page, kSeite[i])
                                                           : Val<double>(page, kSeite[i]);
    }
    return values;
}

void SeiteSetzen(int page, const std::array<double, 9>& values) {
    for (std::size_t i = 0; i < kSeite.size(); ++i) {
        if (kSeite[i] == TABPANEL_MODUSISTWERTNULL) {
            ASSERT_EQ(SetCtrlVal(page, kSeite[i], static_cast<int>(values[i])), 0);
        } else {
            ASSERT_EQ(SetCtrlVal(page, kSeite[i], values[i]), 0) << i;
        }
    }
}

class ParameterSet : public ModuleOps {
  protected:
    void SetUp() override {
        ModuleOps::SetUp();
        moduleopstest::Skalieren(1, Abbildung(0, 100));
        moduleopstest::Skalieren(2, Abbildung(100, 200));
        SetCtrlVal(panelHandle, PANEL_ADRESSE, 5);
        m_leer1 = Seite(tabpanelRegler1);
        m_leer2 = Seite(tabpanelRegler2);
    }
    // The read frames of the first count parameters.
    static std::string Reads(std::size_t count) {
        std::string frames;
        for (std::size_t i = 0; i < count; ++i)
            frames += Frame(5, kSatz[i]);
        return frames;
    }
    std::array<double, 9> m_leer1{};
    std::array<double, 9> m_leer2{};
};

TEST_F(ParameterSet, ReadShowsBothChannelsInTheirUnits) {
    for (std::size_t i = 0; i < kSatz.size(); ++i)
        answer(ReadAnswer(5, kSatz[i], kModulwerte[i]));
    moduleopstest::StatusRecorder recorder(script());
    ASSERT_EQ(ParametersatzLesen(), 0);
    EXPECT_EQ(script().written, Reads(18));
    EXPECT_EQ(Seite(tabpanelRegler1), kSeite1);
    EXPECT_EQ(Seite(tabpanelRegler2), kSeite2);
    const decltype(recorder.shown) expected = {{"lese...", ""}, {"", Reads(18)}};
    EXPECT_EQ(recorder.shown, expected);
}

TEST_F(ParameterSet, WriteSendsBothPagesInVolts) {
    SeiteSetzen(tabpanelRegler1, kSeite1);
    SeiteSetzen(tabpanelRegler2, kSeite2);
    for (int i = 0; i < 18; ++i)
        answer(kAck);
    moduleopstest::StatusRecorder recorder(script());
    ASSERT_EQ(ParametersatzSchreiben(), 0);
    const std::string frames = Writes(18);
    EXPECT_EQ(script().written, frames);
    const decltype(recorder.shown) expected = {{"schreibe...", ""}, {"", frames}};
    EXPECT_EQ(recorder.shown, expected);
}

struct ReadFailure {
    const char* name;
    std::size_t failsAt;  // index into the transfer order
    bool page1Updated;
};

void PrintTo(const ReadFailure& c, std::ostream* os) {
    *os << c.name;
}

class ParameterSetReadFailure : public ParameterSet,
                                public testing::WithParamInterface<ReadFailure> {};

TEST_P(ParameterSetReadFailure, LeavesTheUnfinishedPageAlone) {
    const ReadFailure& c = GetParam();
    for (std::size_t i = 0; i < c.failsAt; ++i)
        answer(ReadAnswer(5, kSatz[i], kModulwerte[i]));
    answer(kNak);
    EXPECT_EQ(ParametersatzLesen(), -402050);
    EXPECT_EQ(script().written, Reads(c.failsAt + 1));
    EXPECT_EQ(Seite(tabpanelRegler1), c.page1Updated ? kSeite1 : m_leer1);
    EXPECT_EQ(Seite(tabpanelRegler2), m_leer2);
    EXPECT_EQ(Text(panelHandle, PANEL_TEXT), "");
    EXPECT_EQ(script().closes, 1);
}

INSTANTIATE_TEST_SUITE_P(ModuleOps, ParameterSetReadFailure,
                         testing::Values(ReadFailure{"FirstOfAll", 0, false},
                                         ReadFailure{"LastOfChannel1", 8, false},
                                         ReadFailure{"Anfangssoll2", 12, true},
                                         ReadFailure{"LastOfChannel2", 17, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WriteFailure {
    const char* name;
    std::size_t failsAt;
    const char* refusal;  // the module's answer to the failing frame
    int code;
};

void PrintTo(const WriteFailure& c, std::ostream* os) {
    *os << c.name;
}

class ParameterSetWriteFailure : public ParameterSet,
                                 public testing::WithParamInterface<WriteFailure> {};

TEST_P(ParameterSetWriteFailure, StopsAtTheFirstRefusal) {
    const WriteFailure& c = GetParam();
    connect();
    SeiteSetzen(tabpanelRegler1, kSeite1);
    SeiteSetzen(tabpanelRegler2, kSeite2);
    for (std::size_t i = 0; i < c.failsAt; ++i)
        answer(kAck);
    answer(c.refusal);
    EXPECT_EQ(ParametersatzSchreiben(), c.code);
    // Everything up to the failing frame went out, nothing after it.
    EXPECT_EQ(script().written, Writes(c.failsAt + 1));
    EXPECT_EQ(Text(panelHandle, PANEL_TEXT), "");
    EXPECT_EQ(gComPort, 3);  // the held connection stays
}

INSTANTIATE_TEST_SUITE_P(ModuleOps, ParameterSetWriteFailure,
                         testing::Values(WriteFailure{"Min1Refused", 4, "\x15", -402040},
                                         WriteFailure{"P2Silent", 9, "", -403042}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
