// The headless user-interface model over a small resource of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"

namespace {

using namespace userint;

enum { kMain = 1, kPage1 = 2, kPage2 = 3 };
enum { kValue = 2, kCount, kUnit, kNote, kLamp, kPort, kMode, kToggle, kChart, kTimer, kTab };
enum { kMenuQuit = 1 };

std::vector<std::string> gCalls;
int gNested = 0;

int Record(int panel, int control, int event) {
    gCalls.push_back(std::to_string(panel) + ":" + std::to_string(control) + ":" +
                     std::to_string(event));
    // A tick that falls due while a callback runs is dropped, not run inside it.
    if (!DispatchTimerTick(panel, kTimer)) ++gNested;
    return 0;
}

int RecordPanel(int panel, int event) {
    return Record(panel, 0, event);
}
void RecordMenu(int item, int panel) {
    Record(panel, item, 0);
}

ControlResource Control(int id, ControlKind kind, ValueType type = ValueType::None) {
    ControlResource c;
    c.id = id;
    c.kind = kind;
    c.type = type;
    return c;
}

Resource TestResource() {
    auto numeric = [](int id, ValueType type, double def, double min, double max) {
        ControlResource c = Control(id, ControlKind::Numeric, type);
        c.defaultValue = def;
        c.min = min;
        c.max = max;
        c.precision = 3;
        c.callback = Record;
        return c;
    };
    ControlResource unit = Control(kUnit, ControlKind::String, ValueType::Text);
    unit.defaultText = "V";
    unit.maxEntryLength = 5;
    ControlResource note = Control(kNote, ControlKind::TextMessage);
    note.label = "Hinweis";
    ControlResource lamp = Control(kLamp, ControlKind::Led, ValueType::Integer);
    ControlResource port = Control(kPort, ControlKind::Ring, ValueType::Integer);
    port.items = {{"COM 1", 1}, {"COM 2", 2}};
    port.defaultValue = 7;  // not an item: the first item is taken
    ControlResource mode = Control(kMode, ControlKind::Ring, ValueType::Double);
    mode.items = {{"Digital", 1.0}, {"Stell", 3.0}};
    ControlResource toggle = Control(kToggle, ControlKind::ToggleButton, ValueType::Integer);
    toggle.callback = Record;
    ControlResource chart = Control(kChart, ControlKind::StripChart);
    chart.traces = 2;
    chart.pointsPerScreen = 5;
    ControlResource timer = Control(kTimer, ControlKind::Timer);
    timer.callback = Record;
    ControlResource tab = Control(kTab, ControlKind::TabControl);
    tab.tabPages = {kPage2, kPage1};

    PanelResource main;
    main.id = kMain;
    main.callback = RecordPanel;
    main.controls = {numeric(kValue, ValueType::Double, 12, 0, 10),
                     numeric(kCount, ValueType::Integer, 3, -5, 5),
                     unit,
                     note,
                     lamp,
                     port,
                     mode,
                     toggle,
                     chart,
                     timer,
                     tab};
    MenuItemResource quit;
    quit.id = kMenuQuit;
    quit.callback = RecordMenu;
    MenuResource menu;
    menu.items = {quit};
    main.menuBar = {menu};
    PanelResource page1;
    page1.id = kPage1;
    page1.controls = {numeric(2, ValueType::Double, 1, 0, 2)};
    PanelResource page2;
    page2.id = kPage2;
    Resource resource;
    resource.name = "Test";
    resource.panels = {main, page1, page2};
    return resource;
}

class Model : public testing::Test {
  protected:
    void SetUp() override {
        ResetModel();
        gCalls.clear();
        gNested = 0;
        RegisterResource(TestResource());
        m_panel = LoadPanel(0, "Test", kMain);
        ASSERT_GT(m_panel, 0);
    }
    void TearDown() override { SetDialogs(nullptr); }
    int m_panel = 0;
};

TEST_F(Model, NumbersAreCoercedIntoTheRangeAndKeepAllDigits) {
    double value = 0;
    ASSERT_EQ(GetCtrlVal(m_panel, kValue, &value), 0);
    EXPECT_EQ(value, 10);  // the default is coerced too
    EXPECT_EQ(SetCtrlVal(m_panel, kValue, 2.123456789), 0);
    GetCtrlVal(m_panel, kValue, &value);
    EXPECT_EQ(value, 2.123456789);  // precision 3 is display only
    EXPECT_EQ(SetCtrlVal(m_panel, kValue, -1.0), 0);
    GetCtrlVal(m_panel, kValue, &value);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(SetCtrlVal(m_panel, kValue, std::nan("")), kUiValueRefused);
    GetCtrlVal(m_panel, kValue, &value);
    EXPECT_EQ(value, 0);

    SetCtrlVal(m_panel, kValue, 8.0);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_MAX_VALUE, 5.0), 0);
    GetCtrlVal(m_panel, kValue, &value);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_MIN_VALUE, 6.0), kUiValueRefused);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_MIN_VALUE, -kUnbounded), 0);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_MAX_VALUE, 100.0), 0);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_MIN_VALUE, 50.0), 0);
    GetCtrlVal(m_panel, kValue, &value);
    EXPECT_EQ(value, 50);
    double min = 0;
    EXPECT_EQ(GetCtrlAttribute(m_panel, kValue, ATTR_MIN_VALUE, &min), 0);
    EXPECT_EQ(min, 50);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_PRECISION, 4), 0);
    int precision = 0;
    EXPECT_EQ(GetCtrlAttribute(m_panel, kValue, ATTR_PRECISION, &precision), 0);
    EXPECT_EQ(precision, 4);

    int count = 0;
    EXPECT_EQ(SetCtrlVal(m_panel, kCount, 9), 0);
    EXPECT_EQ(GetCtrlVal(m_panel, kCount, &count), 0);
    EXPECT_EQ(count, 5);
}

TEST_F(Model, ValuesOfTheWrongTypeOrPlaceChangeNothing) {
    int integer = 0;
    double number = 0;
    std::string text;
    EXPECT_EQ(GetCtrlVal(m_panel, kValue, &integer), kUiWrongType);
    EXPECT_EQ(SetCtrlVal(m_panel, kCount, 1.5), kUiWrongType);
    EXPECT_EQ(SetCtrlVal(m_panel, kValue, "7"), kUiWrongType);
    EXPECT_EQ(GetCtrlVal(m_panel, kUnit, &number), kUiWrongType);
    EXPECT_EQ(GetCtrlVal(m_panel, kChart, &number), kUiWrongType);
    EXPECT_EQ(SetCtrlVal(m_panel, 99, 1.0), kUiBadControl);
    EXPECT_EQ(SetCtrlVal(999, kValue, 1.0), kUiBadPanel);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kUnit, ATTR_PRECISION, 2), kUiBadAttribute);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_YNAME, "x"), kUiBadAttribute);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, ATTR_MAX_VALUE, "x"), kUiWrongType);
    EXPECT_EQ(SetCtrlAttribute(m_panel, kValue, 999, 1), kUiBadAttribute);
    EXPECT_EQ(GetCtrlVal(m_panel, kValue, &number), 0);
    EXPECT_EQ(number, 10);
}

TEST_F(Model, RingsTakeOnlyTheirItemsAndStringsTheirLength) {
    int port = 0;
    GetCtrlVal(m_panel, kPort, &port);
    EXPECT_EQ(port, 1);
    EXPECT_EQ(SetCtrlVal(m_panel, kPort, 2), 0);
    EXPECT_EQ(SetCtrlVal(m_panel, kPort, 3), kUiValueRefused);
    GetCtrlVal(m_panel, kPort, &port);
    EXPECT_EQ(port, 2);
    EXPECT_EQ(SetCtrlVal(m_panel, kMode, 3.0), 0);
    EXPECT_EQ(SetCtrlVal(m_panel, kMode, 2.0), kUiValueRefused);

    std::string unit;
    GetCtrlVal(m_panel, kUnit, &unit);
    EXPECT_EQ(unit, "V");
    EXPECT_EQ(SetCtrlVal(m_panel, kUnit, "µV/s"), 0);  // five characters, six bytes
    EXPECT_EQ(SetCtrlVal(m_panel, kUnit, "mbar/s"), kUiValueRefused);
    EXPECT_EQ(OperatorSetValue(m_panel, kUnit, std::string("abcdef")), kUiValueRefused);
    GetCtrlVal(m_panel, kUnit, &unit);
    EXPECT_EQ(unit, "µV/s");
    char small[4];
    EXPECT_EQ(GetCtrlVal(m_panel, kUnit, small, sizeof small), 0);
    EXPECT_STREQ(small, "µV");

    std::string note;
    GetCtrlVal(m_panel, kNote, &note);
    EXPECT_EQ(note, "Hinweis");
    EXPECT_EQ(SetCtrlVal(m_panel, kLamp, 5), 0);
    int lamp = 0;
    GetCtrlVal(m_panel, kLamp, &lamp);
    EXPECT_EQ(lamp, 1);
}

TEST_F(Model, StripChartKeepsOneScreen) {
    for (int i = 1; i <= 7; ++i) {
        const double points[] = {double(i), double(-i)};
        ASSERT_EQ(PlotStripChart(m_panel, kChart, points, 2), 0);
    }
    EXPECT_EQ(ChartTrace(m_panel, kChart, 0), (std::vector<double>{3, 4, 5, 6, 7}));
    EXPECT_EQ(ChartTrace(m_panel, kChart, 1), (std::vector<double>{-3, -4, -5, -6, -7}));
    const double one[] = {1};
    const double bad[] = {1, std::nan("")};
    EXPECT_EQ(PlotStripChart(m_panel, kChart, one, 1), kUiValueRefused);
    EXPECT_EQ(PlotStripChart(m_panel, kChart, bad, 2), kUiValueRefused);
    EXPECT_EQ(ChartTrace(m_panel, kChart, 0).back(), 7);
    EXPECT_EQ(SetAxisScalingMode(m_panel, kChart, VAL_LEFT_YAXIS, VAL_MANUAL, 2, 8), 0);
    EXPECT_EQ(SetAxisScalingMode(m_panel, kChart, VAL_LEFT_YAXIS, VAL_MANUAL, 8, 2),
              kUiValueRefused);
    EXPECT_EQ(FindControl(m_panel, kChart)->axisMin, 2);
    EXPECT_EQ(FindControl(m_panel, kChart)->axisMax, 8);
    EXPECT_EQ(SetAxisScalingMode(m_panel, kValue, VAL_LEFT_YAXIS, VAL_MANUAL, 0, 1), kUiWrongType);
}

TEST_F(Model, CallbacksRunOneAtATime) {
    EXPECT_TRUE(DispatchCommit(m_panel, kToggle));
    EXPECT_TRUE(DispatchPanelEvent(m_panel, EVENT_CLOSE));
    EXPECT_TRUE(DispatchMenu(m_panel, kMenuQuit));
    EXPECT_TRUE(DispatchTimerTick(m_panel, kTimer));
    const std::string p = std::to_string(m_panel);
    EXPECT_EQ(gCalls, (std::vector<std::string>{p + ":9:1", p + ":0:2", p + ":1:0", p + ":11:3"}));
    EXPECT_EQ(gNested, 4);  // every nested tick was dropped
    EXPECT_FALSE(CallbackRunning());

    SetCtrlAttribute(m_panel, kToggle, ATTR_DIMMED, 1);
    EXPECT_FALSE(DispatchCommit(m_panel, kToggle));  // a dimmed control cannot be operated
    EXPECT_FALSE(DispatchCommit(m_panel, kNote));    // no callback
    EXPECT_FALSE(DispatchMenu(m_panel, 42));
    EXPECT_FALSE(DispatchTimerTick(m_panel, kValue));
    EXPECT_EQ(gCalls.size(), 4u);
}

struct ScriptedDialogs : Dialogs {
    void message(const std::string& title, const std::string& text) override {
        messages.push_back(title + "|" + text);
    }
    int selectFile(const FileSelectRequest& r, std::string* path) override {
        request = r;
        *path = "/tmp/set.zan";
        return answer;
    }
    std::vector<std::string> messages;
    FileSelectRequest request;
    int answer = VAL_NEW_FILE_SELECTED;
};

TEST_F(Model, PopupsGoThroughTheDialogs) {
    EXPECT_EQ(MessagePopup("T", "x"), kUiNoDialogs);
    ScriptedDialogs dialogs;
    SetDialogs(&dialogs);
    EXPECT_EQ(MessagePopup("Fehler #1", "Text"), 0);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Fehler #1|Text"});

    std::string path;
    EXPECT_EQ(FileSelectPopup("", "*.zan", "", "Speichern", VAL_SAVE_BUTTON, 0, 1, 1, 1, &path),
              VAL_NEW_FILE_SELECTED);
    EXPECT_EQ(path, "/tmp/set.zan");
    EXPECT_EQ(dialogs.request.title, "Speichern");
    EXPECT_TRUE(dialogs.request.restrictExtension);
    EXPECT_TRUE(dialogs.request.allowMakeDirectory);
    dialogs.answer = VAL_NO_FILE_SELECTED;
    EXPECT_EQ(FileSelectPopup("", "*.zan", "", "Laden", VAL_LOAD_BUTTON, 0, 1, 1, 0, &path), 0);
    EXPECT_EQ(path, "");

    EXPECT_EQ(RemovePopup(0), kUiNoPopup);
    const int other = LoadPanel(m_panel, "Test", kPage1);
    EXPECT_EQ(InstallPopup(m_panel), 0);
    EXPECT_EQ(InstallPopup(other), 0);
    EXPECT_EQ(Popups(), (std::vector<int>{m_panel, other}));
    EXPECT_EQ(RemovePopup(0), 0);
    EXPECT_FALSE(FindPanel(other)->visible);
    EXPECT_EQ(Popups(), std::vector<int>{m_panel});
}

}  // namespace
