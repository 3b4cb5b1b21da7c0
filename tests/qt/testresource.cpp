#include "tests/qt/testresource.h"

#include <algorithm>

#include "platform/userint/model.h"
#include "platform/userint/userint.h"

// Designated initializers name only what a control needs; the rest keeps its default.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace qttest {

using userint::ControlKind;
using userint::ControlResource;
using userint::kUnbounded;
using userint::PanelResource;
using userint::ValueType;

std::vector<Call> gCalls;
int gTicks = 0;
std::function<void(int, int)> gDuring;

namespace {

constexpr const char* kName = "QtTest";

int Record(int panel, int control, int event) {
    gCalls.push_back({panel, control, event});
    if (gDuring) gDuring(panel, control);
    return 0;
}
int RecordPanel(int panel, int event) {
    gCalls.push_back({panel, 0, event});
    return 0;
}
void RecordMenu(int item, int panel) {
    gCalls.push_back({panel, item, 0});
}
int Tick(int, int, int) {
    ++gTicks;
    return 0;
}
int CloseChild(int panel, int control, int event) {
    Record(panel, control, event);
    return RemovePopup(0);
}

ControlResource Text(int id, const char* constant, const char* text, userint::Geometry g) {
    return {.id = id,
            .constant = constant,
            .kind = ControlKind::TextMessage,
            .label = text,
            .type = ValueType::Text,
            .geometry = g};
}

userint::Resource Build() {
    using K = ControlKind;
    using V = ValueType;
    PanelResource main{.id = kMainPanel,
                       .constant = "PANEL",
                       .title = "ZAN-1B Prüfstand",
                       .width = 520,
                       .height = 400,
                       .callback = RecordPanel};
    main.controls = {
        {.id = kNumber,
         .constant = "SOLLWERT1",
         .kind = K::Numeric,
         .label = "Sollwert 1",
         .type = V::Double,
         .defaultValue = 1.25,
         .min = 0,
         .max = 10,
         .increment = 0.5,
         .precision = 2,
         .callback = Record,
         .geometry = {20, 56, 100, 20}},
        {.id = kCount,
         .constant = "ZAEHLER",
         .kind = K::Numeric,
         .label = "Zähler",
         .type = V::Integer,
         .defaultValue = 2,
         .min = -5,
         .max = 5,
         .callback = Record,
         .geometry = {20, 104, 80, 20}},
        {.id = kActual,
         .constant = "ISTWERT1",
         .kind = K::Numeric,
         .label = "Istwert 1",
         .type = V::Double,
         .min = -kUnbounded,
         .max = kUnbounded,
         .precision = 3,
         .indicator = true,
         .dimmed = true,
         .geometry = {20, 152, 100, 20}},
        {.id = kMode,
         .constant = "BETRIEBSART",
         .kind = K::Ring,
         .label = "Betriebsart",
         .type = V::Double,
         .defaultValue = 1,
         .callback = Record,
         .items = {{"Digitaler Sollwert", 1}, {"Analoger Sollwert", 2}, {"Stellbetrieb", 3}},
         .geometry = {180, 56, 160, 20}},
        {.id = kLamp,
         .constant = "FEHLERLED",
         .kind = K::Led,
         .label = "Fehler",
         .type = V::Integer,
         .indicator = true,
         .geometry = {190, 104, 16, 16}},
        {.id = kConnect,
         .constant = "VERBINDEN",
         .kind = K::ToggleButton,
         .label = "verbinden",
         .type = V::Integer,
         .callback = Record,
         .pressedText = "trennen",
         .geometry = {180, 140, 100, 28}},
        {.id = kSpecial,
         .constant = "MODUSISTWERTNULL",
         .kind = K::CheckBox,
         .label = "Stellwert wird Null wenn Istwert gleich Null",
         .type = V::Integer,
         .callback = Record,
         .geometry = {20, 190, 320, 18}},
        {.id = kUnit,
         .constant = "SKAL_EINHEIT",
         .kind = K::String,
         .label = "(Einheit)",
         .type = V::Text,
         .defaultText = "V",
         .callback = Record,
         .maxEntryLength = 5,
         .geometry = {300, 104, 60, 20}},
        Text(kNote, "TEXTMSG_4", "Diagramm Zoom\n(bezogen auf Istwert 1)", {380, 40, 110, 32}),
        {.id = kRead,
         .constant = "LESEN",
         .kind = K::CommandButton,
         .label = "Lesen",
         .callback = Record,
         .geometry = {300, 140, 90, 28}},
        {.id = kFrame,
         .constant = "DECORATION",
         .kind = K::Decoration,
         .geometry = {10, 32, 500, 186}},
        {.id = kPicture, .constant = "PICTURE", .kind = K::Picture, .geometry = {420, 96, 80, 64}},
        {.id = kTab,
         .constant = "TAB",
         .kind = K::TabControl,
         .tabPages = {kPage1, kPage2},
         .tabLabels = {"Regler 1", "Regler 2"},
         .geometry = {10, 232, 240, 132}},
        {.id = kChart,
         .constant = "STRIPCHART",
         .kind = K::StripChart,
         .traces = 2,
         .pointsPerScreen = 20,
         .xName = "4 s / div",
         .yName = "Istwert [V]",
         .geometry = {260, 232, 250, 136}},
        {.id = kTimer,
         .constant = "TIMER",
         .kind = K::Timer,
         .label = "Timer",
         .callback = Tick,
         .timerInterval = 0.01},
        Text(kStatus, "TEXT", "Text Message", {10, 376, 500, 16}),
    };
    main.menuBar = {{kMenuFile,
                     "DATEI",
                     "Datei",
                     {{kMenuOpen, "PARAMETE", "Parametersatz laden", "", RecordMenu},
                      {kMenuSeparator, "SEPARATOR", "", "", nullptr, true},
                      {kMenuQuit, "BEENDEN", "Beenden", "", RecordMenu}}}};

    PanelResource child{
        .id = kChildPanel, .constant = "ABOUTPANEL", .title = "Über", .width = 200, .height = 100};
    child.controls = {{.id = kChildOk,
                       .constant = "OK",
                       .kind = K::CommandButton,
                       .label = "OK",
                       .callback = CloseChild,
                       .geometry = {60, 60, 80, 26}}};

    PanelResource page{.id = kPage1, .constant = "TABPANEL1", .width = 240, .height = 108};
    page.controls = {{.id = kPageValue,
                      .constant = "PANTEIL",
                      .kind = K::Numeric,
                      .label = "P-Anteil",
                      .type = V::Double,
                      .min = -99999,
                      .max = 99999,
                      .precision = 4,
                      .geometry = {12, 30, 110, 20}}};
    PanelResource page2 = page;
    page2.id = kPage2;
    page2.constant = "TABPANEL2";
    return {kName, {main, child, page, page2}};
}

}  // namespace

int Commits(int control) {
    return static_cast<int>(std::count_if(gCalls.begin(), gCalls.end(), [&](const Call& c) {
        return c.control == control && c.event == EVENT_COMMIT;
    }));
}

Session::Session() {
    userint::ResetModel();
    userint::RegisterResource(Build());
    gCalls.clear();
    gTicks = 0;
    gDuring = nullptr;
    m_view = std::make_unique<qtui::QtView>();
    userint::SetView(m_view.get());
    userint::SetDialogs(m_view.get());
    main = LoadPanel(0, kName, kMainPanel);
    child = LoadPanel(main, kName, kChildPanel);
    DisplayPanel(main);
}

Session::~Session() {
    gDuring = nullptr;
    userint::SetView(nullptr);
    userint::SetDialogs(nullptr);
    m_view.reset();
    userint::ResetModel();
}

}  // namespace qttest
