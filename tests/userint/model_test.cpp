// The headless user-interface model over a small resource of its own: values
// and attributes, tab pages and the UTF-8 helpers behind text lengths (the
// steps in model_steps.txt), callback dispatch and popups without dialogs.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <iomanip>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "platform/utf8.h"
#include "tests/support/casetable.h"

// Designated initializers name only what a control needs.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using namespace userint;

enum { kMain = 1, kPage = 2, kQuitItem = 7 };
enum { kReal = 2, kCount, kUnit, kNote, kLamp, kPort, kMode, kToggle, kChart, kTimer, kTab, kOne };

std::vector<std::string> gCalls;

// Records "control:event", marked with "!" when the callback runs unnoticed
// or lets a commit or a panel event run inside it. The timer's tick runs
// inside every other callback (it keeps ticking behind a modal dialog), never
// inside its own.
int Record(int panel, int control, int event) {
    const bool ticks = DispatchTimerTick(panel, kTimer);
    const bool nested = !CallbackRunning() || ticks == (event == EVENT_TIMER_TICK) ||
                        DispatchCommit(panel, kToggle) || DispatchPanelEvent(panel, EVENT_CLOSE);
    gCalls.push_back(std::to_string(control) + ":" + std::to_string(event) + (nested ? "!" : ""));
    return 0;
}

Resource TestResource(const char* title) {
    using enum ControlKind;
    using enum ValueType;
    const std::vector<RingItem> ports = {{"1", 1}, {"2", 2}}, modes = {{"1", 1}, {"3", 3}};
    PanelResource main{
        .id = kMain, .title = title, .callback = [](int p, int e) { return Record(p, 0, e); }};
    main.controls = {
        {.id = kReal, .kind = Numeric, .type = Double, .defaultValue = 12, .min = 0, .max = 10},
        {.id = kCount, .kind = Numeric, .type = Integer, .min = -5, .max = 5},
        {.id = kUnit, .kind = String, .type = Text, .defaultText = "V", .maxEntryLength = 5},
        {.id = kNote, .kind = TextMessage, .label = "Hinweis"},
        {.id = kLamp, .kind = Led, .type = Integer},
        {.id = kPort, .kind = Ring, .type = Integer, .defaultValue = 7, .items = ports},
        {.id = kMode, .kind = Ring, .type = Double, .defaultValue = 3, .items = modes},
        {.id = kToggle, .kind = ToggleButton, .type = Integer},
        {.id = kChart, .kind = StripChart, .traces = 2, .pointsPerScreen = 5},
        {.id = kTimer, .kind = Timer},
        {.id = kTab, .kind = TabControl, .tabPages = {kPage, 99, kPage}},  // 99: a hole
        {.id = kOne, .kind = StripChart, .traces = 1, .pointsPerScreen = 2}};
    for (ControlResource& c : main.controls)
        c.callback = c.kind == TextMessage ? nullptr : Record;
    main.menuBar = {
        {.items = {{.id = kQuitItem, .callback = [](int i, int p) { Record(p, i, 0); }}}}};
    return {"Test", {main, {.id = kPage}}};
}

// A number with all its digits.
std::string Str(double value) {
    return (std::ostringstream() << std::setprecision(12) << value).str();
}

// Bytes written as pairs of hex digits: "c2b5" is "µ".
std::string Bytes(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The code point at byte `at` and in *next where the one after starts; -1
// and `at` for a sequence that is not one.
int Next(const std::string& bytes, std::size_t at, int* next) {
    const std::optional<char32_t> codePoint = platform::NextCodePoint(bytes, &at);
    *next = int(at);
    return codePoint ? int(*codePoint) : -1;
}

class Model : public testing::Test {
  protected:
    void SetUp() override {
        ResetModel();
        gCalls.clear();
        RegisterResource(TestResource("A"));
        p = LoadPanel(0, "Test", kMain);
    }
    int p = 0;
};

TEST_F(Model, ValuesAndAttributesFollowTheSteps) {
    // clang-format off
    const std::map<std::string, int> ids = {{"real", kReal}, {"count", kCount}, {"unit", kUnit},
        {"note", kNote}, {"lamp", kLamp}, {"port", kPort}, {"mode", kMode}, {"toggle", kToggle},
        {"chart", kChart}, {"one", kOne}, {"tab", kTab}, {"none", 99}, {"-", 0}}, attributes = {
        {"DIMMED", ATTR_DIMMED}, {"MIN", ATTR_MIN_VALUE}, {"MAX", ATTR_MAX_VALUE},
        {"INCR", ATTR_INCR_VALUE}, {"PRECISION", ATTR_PRECISION}, {"LENGTH", ATTR_MAX_ENTRY_LENGTH},
        {"COLOR", ATTR_ON_COLOR}, {"XNAME", ATTR_XNAME}, {"YNAME", ATTR_YNAME},
        {"LABEL", ATTR_LABEL_TEXT}, {"TIP", ATTR_TOOLTIP}, {"-", 0}}, statuses = {{"ok", 0},
        {"bad-control", kUiBadControl}, {"wrong-type", kUiWrongType}, {"refused", kUiValueRefused},
        {"bad-attribute", kUiBadAttribute}, {"bad-tab-page", kUiBadTabPage}};
    // clang-format on
    int c = 0, a = 0, integer = 0;
    double number = 0, real = 0;
    std::string argument, text;
    char buffer[8];
    const char* given = nullptr;  // the argument, or nullptr for "null"
    const std::map<std::string, std::function<int()>> calls = {
        {"set", [&] { return SetCtrlVal(p, c, number); }},
        {"set.int", [&] { return SetCtrlVal(p, c, int(number)); }},
        {"set.text", [&] { return SetCtrlVal(p, c, given); }},
        {"operator", [&] { return OperatorSetValue(p, c, number); }},
        {"operator.text", [&] { return OperatorSetValue(p, c, argument); }},
        {"attr", [&] { return SetCtrlAttribute(p, c, a, number); }},
        {"attr.text", [&] { return SetCtrlAttribute(p, c, a, given); }},
        {"get", [&] { return GetCtrlVal(p, c, given ? &real : nullptr); }},
        {"get.int", [&] { return GetCtrlVal(p, c, &integer); }},
        {"get.text", [&] { return GetCtrlVal(p, c, &text); }},
        {"get.buffer", [&] { return GetCtrlVal(p, c, buffer, std::size_t(number)); }},
        {"getattr", [&] { return GetCtrlAttribute(p, c, a, given ? &real : nullptr); }},
        {"getattr.int", [&] { return GetCtrlAttribute(p, c, a, &integer); }},
        {"getattr.text", [&] { return GetCtrlAttribute(p, c, a, &text); }},
        {"tabpage",
         [&] { return GetPanelHandleFromTabPage(p, c, int(number), given ? &integer : nullptr); }},
        {"selecttab", [&] { return OperatorSelectTab(p, c, int(number)); }},
        {"plot", [&] { return PlotStripChart(p, c, given ? &number : nullptr, 1); }},
        {"utf8.valid", [&] { return int(platform::IsValidUtf8(Bytes(argument))); }},
        {"utf8.count", [&] { return int(platform::CountCharacters(Bytes(argument))); }},
        {"utf8.cut", [&] { return int(platform::CutUtf8(Bytes(argument), a).size()); }},
        {"utf8.next", [&] { return Next(Bytes(argument), a, &integer); }},
        {"utf8.append",
         [&] { return platform::AppendUtf8(char32_t(number), &(text = "x")), int(text.size()); }}};
    // A name of `names` or a whole integer.
    const auto code = [](const std::map<std::string, int>& names, const std::string& word,
                         int* value) {
        if (names.count(word)) return *value = names.at(word), true;
        return testsupport::ReadNumber(word, value);
    };
    testsupport::RunCaseTable(ZAN1_USERINT_STEPS, 230, [&](const std::string& step) {
        std::istringstream in(step);
        std::string call, control, name, status, seen, extra;
        int want = 0;
        if (!(in >> call >> control >> name >> argument >> status >> seen) || in >> extra ||
            !calls.count(call) || !ids.count(control) || !code(attributes, name, &a) ||
            !code(statuses, status, &want))
            return false;
        c = ids.at(control);
        number = std::strtod(argument.c_str(), nullptr);
        given = argument == "null" ? nullptr : argument.c_str();
        real = NAN, integer = INT_MIN, text.clear(), buffer[0] = '\0';
        EXPECT_EQ(calls.at(call)(), want);
        // What a getter got: the one output it wrote.
        const std::string read = text + buffer + (std::isnan(real) ? "" : Str(real)) +
                                 (integer == INT_MIN ? "" : Str(integer));
        if (seen != "-") {
            EXPECT_EQ(read, seen);
        }
        return true;
    });
}

TEST_F(Model, CallbacksRunOneAtATimeAndNotOnDimmedControls) {
    EXPECT_TRUE(DispatchCommit(p, kToggle) && DispatchPanelEvent(p, EVENT_CLOSE) &&
                DispatchMenu(p, kQuitItem) && DispatchTimerTick(p, kTimer) && !CallbackRunning());
    SetCtrlAttribute(p, kToggle, ATTR_DIMMED, 1);
    // Refused: a dimmed control, no callback, no such item or panel, no timer.
    EXPECT_FALSE(DispatchCommit(p, kToggle) || DispatchCommit(p, kNote) || DispatchMenu(p, 42) ||
                 DispatchMenu(999, kQuitItem) || DispatchTimerTick(p, kReal) ||
                 DispatchPanelEvent(999, EVENT_CLOSE));
    EXPECT_EQ(gCalls,
              (std::vector<std::string>{"11:3", "9:1", "11:3", "0:2", "11:3", "7:0", "11:3"}));

    std::string path = "alt";  // popups need the dialogs of a view
    EXPECT_EQ(MessagePopup("T", "x") + ConfirmPopup("T", "x") +
                  FileSelectPopup("", "", "", "", 0, 0, 0, 0, 0, &path),
              3 * kUiNoDialogs);
}

}  // namespace
