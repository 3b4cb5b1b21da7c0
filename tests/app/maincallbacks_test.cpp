// The main window's callbacks and the live-value timer over a scripted port.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/livemonitor.h"
#include "app/maincallbacks.h"
#include "errors/errordisplay.h"
#include "tests/app/mainwindow.h"
#include "tests/support/scriptedport.h"

namespace {

using testsupport::PortScript;

constexpr int kPortNummer = 3;
constexpr const char* kAck = "\x06";

class MainWindow : public testing::Test, protected testsupport::MainWindowBase {
  protected:
    void SetUp() override {
        load();
        SetCtrlVal(panelHandle, PANEL_PORT, kPortNummer);
    }
    void TearDown() override { unload(); }
    PortScript& script() { return m_ports.script(); }
    // Both channels in mode 2: the read-back after connecting reads two modes.
    void ScriptAnalogModes() {
        script().answerNextWrite("\x06#1M1R2\r");
        script().answerNextWrite("\x06#1M2R2\r");
    }
    testsupport::ScriptedPorts m_ports;
};

TEST_F(MainWindow, ConnectHoldsThePortAndWarnsOncePerRun) {
    ExpectConnected(false);
    FehlerSetzen(-403011);
    ScriptAnalogModes();
    Verbinden(true);
    ExpectConnected(true);
    EXPECT_EQ(gComPort, kPortNummer);
    EXPECT_EQ(Fehlernummer(), 0);  // success clears an earlier error
    ASSERT_EQ(m_dialogs.popups.size(), 1u);
    EXPECT_EQ(m_dialogs.popups[0].title, "Info");
    EXPECT_EQ(m_dialogs.popups[0].text,
              "Achtung: Das ständige Abfragen der Istwerte beansprucht das Regelmodul\n"
              "stärker als im Normalbetrieb.\n"
              "Es sind daher Abweichungen im Regelverhalten möglich!\n"
              "Außerdem können schnelle Schwingungen hier nicht dargestellt werden. ");
    EXPECT_FALSE(m_dialogs.popups[0].pollingOn);

    FehlerSetzen(-403011);
    Verbinden(false);
    ExpectConnected(false);
    EXPECT_EQ(script().closes, 1);
    EXPECT_EQ(Fehlernummer(), 403011);  // a disconnect keeps the display

    ScriptAnalogModes();
    Verbinden(true);
    ExpectConnected(true);
    EXPECT_EQ(m_dialogs.popups.size(), 1u);
}

struct ConnectFailure {
    const char* name;
    bool failOpen;
    bool failTimeout;
    int shown;
};

void PrintTo(const ConnectFailure& c, std::ostream* os) {
    *os << c.name;
}

class FailedConnect : public MainWindow, public testing::WithParamInterface<ConnectFailure> {};

TEST_P(FailedConnect, ReleasesTheToggleShowsTheErrorAndWarnsNot) {
    script().failOpen = GetParam().failOpen;
    script().failTimeout = GetParam().failTimeout;
    Verbinden(true);
    ExpectConnected(false);
    EXPECT_EQ(Fehlernummer(), GetParam().shown);
    EXPECT_TRUE(m_dialogs.popups.empty());
    EXPECT_EQ(gWarnungAngezeigt, 0);
    EXPECT_EQ(script().written, "");
}

INSTANTIATE_TEST_SUITE_P(App, FailedConnect,
                         testing::Values(ConnectFailure{"Open", true, false, 100002},
                                         ConnectFailure{"Timeout", false, true, 111004}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ReadBack {
    const char* name;
    std::vector<std::string> answers;
    std::string frames;
    double sollwert1, stellwert1, sollwert2, stellwert2;
    int shown;
};

void PrintTo(const ReadBack& c, std::ostream* os) {
    *os << c.name;
}

class ReadBackAfterConnect : public MainWindow, public testing::WithParamInterface<ReadBack> {};

// Channel 1 reads 0..100, channel 2 0..1; every field starts at a marker value.
TEST_P(ReadBackAfterConnect, FillsTheFieldsOfTheModeInUserUnits) {
    const ReadBack& c = GetParam();
    Skalieren(1, 0, 100);
    Skalieren(2, 0, 1);
    SetCtrlVal(panelHandle, PANEL_ADRESSE, 4);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 70.0);
    SetCtrlVal(panelHandle, PANEL_STELLWERT1, 7.0);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT2, 0.7);
    SetCtrlVal(panelHandle, PANEL_STELLWERT2, 7.0);
    for (const std::string& answer : c.answers)
        script().answerNextWrite(answer);
    Verbinden(true);
    ExpectConnected(true);  // a failed read-back does not undo the connection
    EXPECT_EQ(script().written, c.frames);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_SOLLWERT1), c.sollwert1);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_STELLWERT1), c.stellwert1);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_SOLLWERT2), c.sollwert2);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_STELLWERT2), c.stellwert2);
    EXPECT_EQ(Fehlernummer(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    App, ReadBackAfterConnect,
    testing::Values(ReadBack{"DigitalAnalog",
                             {"\x06#4M1R1\r", "\x06#4S1R2.500\r", "\x06#4M2R2\r"},
                             "#4M1R\r#4S1R\r#4M2R\r",
                             25,
                             7,
                             0.7,
                             7,
                             0},
                    ReadBack{
                        "ManualDigital",
                        {"\x06#4M1R3\r", "\x06#4V1R4.000\r", "\x06#4M2R1\r", "\x06#4S2R5.000\r"},
                        "#4M1R\r#4V1R\r#4M2R\r#4S2R\r",
                        70,
                        4,
                        0.5,
                        7,
                        0},
                    ReadBack{"AnalogManual",
                             {"\x06#4M1R2\r", "\x06#4M2R3\r", "\x06#4V2R6.000\r"},
                             "#4M1R\r#4M2R\r#4V2R\r",
                             70,
                             7,
                             0.7,
                             6,
                             0},
                    // The first failing read ends the sequence; the filled field stays.
                    ReadBack{"SilentOnChannel2",
                             {"\x06#4M1R3\r", "\x06#4V1R4.000\r", "\x06#4M2R1\r"},
                             "#4M1R\r#4V1R\r#4M2R\r#4S2R\r",
                             70,
                             4,
                             0.7,
                             7,
                             403052}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, ReadBackWithoutConnectionOpensAndClosesThePort) {
    ScriptAnalogModes();
    EXPECT_EQ(SollwertOderStellwertEintragen(), 0);
    EXPECT_EQ(script().opens, 1);
    EXPECT_EQ(script().closes, 1);
    EXPECT_EQ(gComPort, -1);
    script().failOpen = true;
    EXPECT_EQ(SollwertOderStellwertEintragen(), -100002);
}

TEST_F(MainWindow, TimerPollsOnlyWhileConnectedAndPlotsInUserUnits) {
    Skalieren(1, 0, 100);
    Skalieren(2, 0, 1);
    Tick();
    EXPECT_EQ(script().reads, 0);
    EXPECT_TRUE(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0).empty());

    ScriptAnalogModes();
    Verbinden(true);
    FehlerSetzen(-403011);
    script().written.clear();
    script().answerNextWrite("\x06#1V5R2.500\r");
    script().answerNextWrite("\x06#1V6R5.000\r");
    Tick();
    EXPECT_EQ(script().written, "#1V5R\r#1V6R\r");
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_ISTWERT1), 25);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_ISTWERT2), 0.5);
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0), std::vector<double>{25});
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 1), std::vector<double>{0.5});
    EXPECT_EQ(Fehlernummer(), 403011);  // a good poll leaves the display alone
    ExpectConnected(true);
}

TEST_F(MainWindow, FailedPollEndsTheConnection) {
    ScriptAnalogModes();
    Verbinden(true);
    script().answerNextWrite("\x06#1V5R2.500\r");
    script().answerNextWrite("\x06#1V6R5.000\r");
    Tick();
    const int closes = script().closes;
    Tick();  // nothing answers
    ExpectConnected(false);
    EXPECT_EQ(script().closes, closes + 1);
    EXPECT_EQ(Fehlernummer(), 403052);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_ISTWERT1), 2.5);  // last value stays
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0).size(), 1u);

    const std::string written = script().written;
    Tick();
    EXPECT_EQ(script().written, written);
}

struct Commit {
    const char* name;
    int control;
    std::vector<std::string> answers;
    std::string frames;
    int shown;
    bool refocus;
};

void PrintTo(const Commit& c, std::ostream* os) {
    *os << c.name;
}

class OperationResult : public MainWindow, public testing::WithParamInterface<Commit> {};

TEST_P(OperationResult, ReachesTheErrorDisplayAndFocusReturnsToValueFields) {
    const Commit& c = GetParam();
    FehlerSetzen(-999999);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 2.5);
    SetCtrlVal(panelHandle, PANEL_STELLWERT2, 4.0);
    for (const std::string& answer : c.answers)
        script().answerNextWrite(answer);
    ASSERT_TRUE(userint::DispatchCommit(panelHandle, c.control));
    EXPECT_EQ(script().written, c.frames);
    EXPECT_EQ(Fehlernummer(), c.shown);
    EXPECT_EQ(Int(panelHandle, PANEL_FEHLERLED), c.shown != 0 ? 1 : 0);
    if (c.refocus) {
        EXPECT_EQ(m_view.focus, std::make_pair(panelHandle, c.control));
    } else {
        EXPECT_EQ(m_view.focus, std::make_pair(0, 0));
    }
}

INSTANTIATE_TEST_SUITE_P(
    App, OperationResult,
    testing::Values(Commit{"SollwertAcked", PANEL_SOLLWERT1, {kAck}, "#1S1W2.500\r", 0, true},
                    Commit{"StellwertSilent", PANEL_STELLWERT2, {}, "#1V2W4.000\r", 403042, true},
                    Commit{"IdAnswered", PANEL_IDLESEN, {"\x06#1ZAN\r"}, "#1IDR\r", 0, false},
                    Commit{"IdSilent", PANEL_IDLESEN, {}, "#1IDR\r", 403011, false},
                    Commit{"LesenSilent", PANEL_LESEN, {}, "#1P1R\r", 403052, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindow, FailedSchreibenReadsNothingBackAndKeepsThePrecision) {
    SetCtrlVal(tabpanelRegler1, TABPANEL_PANTEIL, 150.0);
    ASSERT_TRUE(userint::DispatchCommit(panelHandle, PANEL_SCHREIBEN));
    EXPECT_EQ(script().written, "#1P1W150.00\r");
    EXPECT_EQ(Fehlernummer(), 403042);
    EXPECT_DOUBLE_EQ(Num(tabpanelRegler1, TABPANEL_PANTEIL), 150);
    int precision = 0;
    GetCtrlAttribute(tabpanelRegler1, TABPANEL_PANTEIL, ATTR_PRECISION, &precision);
    EXPECT_EQ(precision, 4);

    ASSERT_TRUE(
        userint::DispatchCommit(panelHandle, PANEL_LESEN));  // fails too, adapts all the same
    GetCtrlAttribute(tabpanelRegler1, TABPANEL_PANTEIL, ATTR_PRECISION, &precision);
    EXPECT_EQ(precision, 2);
}

struct Entry {
    const char* name;
    int field;
    double entered;
    int other;  // the paired field, or 0
    double otherValue;
    double expected;
};

void PrintTo(const Entry& c, std::ostream* os) {
    *os << c.name;
}

class EntryCheck : public MainWindow, public testing::WithParamInterface<std::tuple<Entry, int>> {};

// The same crossing values stand on the other page, which must stay as it is.
TEST_P(EntryCheck, CorrectsOnlyTheEnteredFieldOfItsPage) {
    const auto& [c, pageIndex] = GetParam();
    const int page = pageIndex == 1 ? tabpanelRegler1 : tabpanelRegler2;
    const int otherPage = pageIndex == 1 ? tabpanelRegler2 : tabpanelRegler1;
    for (int p : {page, otherPage}) {
        if (c.other) SetCtrlVal(p, c.other, c.otherValue);
        SetCtrlVal(p, c.field, c.entered);
    }
    ASSERT_TRUE(userint::DispatchCommit(page, c.field));
    EXPECT_DOUBLE_EQ(Num(page, c.field), c.expected);
    EXPECT_DOUBLE_EQ(Num(otherPage, c.field), c.entered);
    if (c.other) {
        EXPECT_DOUBLE_EQ(Num(page, c.other), c.otherValue);
    }
    EXPECT_EQ(script().opens, 0);  // nothing goes to the module
}

INSTANTIATE_TEST_SUITE_P(
    App, EntryCheck,
    testing::Combine(
        testing::Values(Entry{"IZero", TABPANEL_IANTEIL, 0, 0, 0, kKleinsterIAnteil},
                        Entry{"INegative", TABPANEL_IANTEIL, -0.5, 0, 0, -0.5},
                        Entry{"MinAboveMax", TABPANEL_STELLMIN, 8, TABPANEL_STELLMAX, 5, 5},
                        Entry{"MinBelowMax", TABPANEL_STELLMIN, 2, TABPANEL_STELLMAX, 5, 2},
                        Entry{"MinEqualMax", TABPANEL_STELLMIN, 5, TABPANEL_STELLMAX, 5, 5},
                        Entry{"MaxBelowMin", TABPANEL_STELLMAX, 3, TABPANEL_STELLMIN, 5, 5},
                        Entry{"MaxAboveMin", TABPANEL_STELLMAX, 9, TABPANEL_STELLMIN, 5, 9}),
        testing::Values(1, 2)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "Page" +
               std::to_string(std::get<1>(info.param));
    });

TEST_F(MainWindow, ParameterEntryAdaptsThePrecision) {
    SetCtrlVal(tabpanelRegler2, TABPANEL_DANTEIL, 12345.0);
    ASSERT_TRUE(userint::DispatchCommit(tabpanelRegler2, TABPANEL_DANTEIL));
    int precision = -1;
    GetCtrlAttribute(tabpanelRegler2, TABPANEL_DANTEIL, ATTR_PRECISION, &precision);
    EXPECT_EQ(precision, 0);
}

struct Zoom {
    const char* name;
    double einheitmin, einheitmax;  // channel 1's user values of 0 V and 10 V
    int control;
    double min, max;            // entered
    double fieldMin, fieldMax;  // shown afterwards
    double axisMin, axisMax;
};

void PrintTo(const Zoom& c, std::ostream* os) {
    *os << c.name;
}

class ChartZoom : public MainWindow, public testing::WithParamInterface<Zoom> {};

TEST_P(ChartZoom, SetsTheAxisSortedAndLeavesTheFields) {
    const Zoom& c = GetParam();
    Skalieren(1, c.einheitmin, c.einheitmax);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, c.min);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, c.max);
    ASSERT_TRUE(userint::DispatchCommit(panelHandle, c.control));
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_GRAPHZOOMMIN), c.fieldMin);
    EXPECT_DOUBLE_EQ(Num(panelHandle, PANEL_GRAPHZOOMMAX), c.fieldMax);
    const userint::ControlState* chart = userint::FindControl(panelHandle, PANEL_STRIPCHART);
    EXPECT_TRUE(chart->axisManual);
    EXPECT_DOUBLE_EQ(chart->axisMin, c.axisMin);
    EXPECT_DOUBLE_EQ(chart->axisMax, c.axisMax);
    const bool refocus = c.control != PANEL_GRAPHZOOMZURUECK;
    EXPECT_EQ(m_view.focus,
              refocus ? std::make_pair(panelHandle, c.control) : std::make_pair(0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    App, ChartZoom,
    testing::Values(Zoom{"MinAboveMax", 0, 10, PANEL_GRAPHZOOMMIN, 8, 2, 8, 2, 2, 8},
                    Zoom{"MaxEntered", 0, 10, PANEL_GRAPHZOOMMAX, 3, 7, 3, 7, 3, 7},
                    Zoom{"Equal", 0, 10, PANEL_GRAPHZOOMMAX, 5, 5, 5, 5, 5, 5},
                    Zoom{"OneToOne", 0, 100, PANEL_GRAPHZOOMZURUECK, 80, 20, 0, 100, 0, 100},
                    Zoom{"OneToOneFalling", 100, 0, PANEL_GRAPHZOOMZURUECK, 20, 80, 100, 0, 0,
                         100}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
