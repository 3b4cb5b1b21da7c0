#include "app/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/ZAN1Steuerung.h"
#include "app/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "tests/support/panels.h"

namespace {

using userint::ControlKind;
using userint::ControlResource;
using userint::Geometry;
using userint::kUnbounded;
using userint::ValueType;

// Where a control lives; the controller and configuration rows hold for both pages.
enum Where { kMain, kRegler, kAbout, kKonfig, kKonfigPage };

std::vector<int> Handles(Where where) {
    const std::vector<int> handles[] = {{panelHandle},
                                        {tabpanelRegler1, tabpanelRegler2},
                                        {aboutpanelHandle},
                                        {konfigpanelHandle},
                                        {konfigtabRegler1, konfigtabRegler2}};
    return handles[where];
}

struct Range {
    double min, max, increment;
};

enum Flags { kDim = 1, kInd = 2 };

struct Row {
    Where where;
    int id;
    const char* constant;
    ControlKind kind;
    const char* label;
    ValueType type;
    const char* value;  // default: a number or a text; nullptr: the text is the label
    Range range;        // numeric only
    int precision;
    int flags;
    const char* callback;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.constant << " (id " << row.id << ")";
}

constexpr Range kVolt{0, 10, 1};
constexpr Range kFree{-kUnbounded, kUnbounded, 1};
constexpr Range kNo{};
constexpr ValueType D = ValueType::Double, I = ValueType::Integer, T = ValueType::Text,
                    N = ValueType::None;
constexpr ControlKind Num = ControlKind::Numeric, Txt = ControlKind::TextMessage,
                      Btn = ControlKind::CommandButton, Led = ControlKind::Led,
                      Str = ControlKind::String, Ring = ControlKind::Ring;
constexpr const char* kNumerics = "Callback_Main_Numerics";
constexpr const char* kZoom = "Callback_Main_MultipleControls_Graphzoom";
constexpr const char* kEntry = "Callback_Main_Numerics_Parametereingabe";

// clang-format off
const Row kInventory[] = {
    {kMain, 2, "TAB", ControlKind::TabControl, "", N, "", kNo, 0, 0, ""},
    {kMain, 3, "LESEN", Btn, "Lesen", N, "", kNo, 0, 0, "Callback_Main_ButtonLesen"},
    {kMain, 4, "SCHREIBEN", Btn, "Schreiben", N, "", kNo, 0, 0, "Callback_Main_Button_Schreiben"},
    {kMain, 5, "VERBINDEN", ControlKind::ToggleButton, "verbinden", I, "0", kNo, 0, 0, "Callback_Main_Togglebutton_Verbinden"},
    {kMain, 6, "STELLWERT1", Num, "Stellwert 1", D, "0", kVolt, 3, 0, kNumerics},
    {kMain, 7, "STELLWERT2", Num, "Stellwert 2", D, "0", kVolt, 3, 0, kNumerics},
    {kMain, 8, "SOLLWERT1", Num, "Sollwert 1", D, "0", kVolt, 3, 0, kNumerics},
    {kMain, 9, "SOLLWERT2", Num, "Sollwert 2", D, "0", kVolt, 3, 0, kNumerics},
    {kMain, 10, "ISTWERT1", Num, "Istwert 1", D, "0", kFree, 3, kInd | kDim, ""},
    {kMain, 11, "ISTWERT2", Num, "Istwert 2", D, "0", kFree, 3, kInd | kDim, ""},
    {kMain, 12, "TEXTMSG_4", Txt, "Diagramm Zoom\n(bezogen auf Istwert 1)", T, nullptr, kNo, 0, 0, ""},
    {kMain, 13, "GRAPHZOOMMIN", Num, "min.", D, "0", kFree, 2, 0, kZoom},
    {kMain, 14, "GRAPHZOOMMAX", Num, "max.", D, "10", kFree, 2, 0, kZoom},
    {kMain, 15, "GRAPHZOOMZURUECK", Btn, "Zoom 1:1", N, "", kNo, 0, 0, kZoom},
    {kMain, 16, "ADRESSE", Ring, "ZAN-1 Adresse", I, "1", kNo, 0, 0, ""},
    {kMain, 17, "PORT", Ring, "COM-Port", I, "1", kNo, 0, 0, ""},
    {kMain, 18, "SCANN", Btn, "Scann", N, "", kNo, 0, 0, "Callback_Main_Button_Scann"},
    {kMain, 19, "IDLESEN", Btn, "ID lesen", N, "", kNo, 0, 0, "Callback_Main_Button_IDLesen"},
    {kMain, 20, "TEXTMSG", Txt, "PARAMETER", T, nullptr, kNo, 0, 0, ""},
    {kMain, 21, "TEXTMSG_3", Txt, "COM-Einstellungen", T, nullptr, kNo, 0, 0, ""},
    {kMain, 22, "LED1", Led, "1", I, "0", kNo, 0, kInd, ""},
    {kMain, 23, "LED2", Led, "2", I, "0", kNo, 0, kInd, ""},
    {kMain, 24, "LED3", Led, "3", I, "0", kNo, 0, kInd, ""},
    {kMain, 25, "LED4", Led, "4", I, "0", kNo, 0, kInd, ""},
    {kMain, 26, "LED5", Led, "5", I, "0", kNo, 0, kInd, ""},
    {kMain, 27, "LED6", Led, "6", I, "0", kNo, 0, kInd, ""},
    {kMain, 28, "LED7", Led, "7", I, "0", kNo, 0, kInd, ""},
    {kMain, 29, "LED8", Led, "8", I, "0", kNo, 0, kInd, ""},
    {kMain, 30, "FEHLERLED", Led, "Fehler", I, "0", kNo, 0, kInd, ""},
    {kMain, 31, "FEHLERSTRING", Str, "", T, "", kNo, 0, kInd, ""},
    {kMain, 32, "FEHLERNUMMER", Num, "", I, "0", {INT_MIN, INT_MAX, 1}, 0, kInd, ""},
    {kMain, 33, "TEXTMSG_2", Txt, "TEST", T, nullptr, kNo, 0, 0, ""},
    {kMain, 34, "TIMER", ControlKind::Timer, "Timer", N, "", kNo, 0, 0, "Callback_Main_Timer"},
    {kMain, 35, "TEXT", Txt, "Text Message", T, nullptr, kNo, 0, 0, ""},
    {kMain, 36, "IDSTRING", Str, "ID", T, "", kNo, 0, kInd, ""},
    {kMain, 37, "STELLWERTEINHEIT2", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},
    {kMain, 38, "ISTWERTEINHEIT2", Txt, "[V]", T, nullptr, kNo, 0, kDim, ""},
    {kMain, 39, "SOLLWERTEINHEIT2", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},
    {kMain, 40, "DECORATION", ControlKind::Decoration, "", N, "", kNo, 0, 0, ""},
    {kMain, 41, "DECORATION_2", ControlKind::Decoration, "", N, "", kNo, 0, 0, ""},
    {kMain, 42, "DECORATION_3", ControlKind::Decoration, "", N, "", kNo, 0, 0, ""},
    {kMain, 43, "STELLWERTEINHEIT1", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},
    {kMain, 44, "ISTWERTEINHEIT1", Txt, "[V]", T, nullptr, kNo, 0, kDim, ""},
    {kMain, 45, "SOLLWERTEINHEIT1", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},
    {kMain, 46, "STRIPCHART", ControlKind::StripChart, "", N, "", kNo, 0, 0, ""},
    {kMain, 47, "ZOOMMINEINHEIT", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},
    {kMain, 48, "ZOOMMAXEINHEIT", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},

    {kRegler, 2, "PANTEIL", Num, "P-Anteil", D, "0", {-99999, 99999, 1}, 4, 0, kEntry},
    {kRegler, 3, "IANTEIL", Num, "I-Anteil", D, "1", {-99999, 99999, 1}, 4, 0, kEntry},
    {kRegler, 4, "DANTEIL", Num, "D-Anteil", D, "0", {-99999, 99999, 0.001}, 4, 0, kEntry},
    {kRegler, 5, "STELLMIN", Num, "min. Stellgröße [V]", D, "0", kVolt, 3, 0, kEntry},
    {kRegler, 6, "STELLMAX", Num, "max. Stellgröße [V]", D, "10", kVolt, 3, 0, kEntry},
    {kRegler, 7, "ANFANGSSOLLWERT_", Num, "Sollwert beim\nEinschalten", D, "0", kVolt, 3, 0, ""},
    {kRegler, 8, "ANSTIEGSZEIT", Num, "max. Anstiegsgeschwindigkeit\ndes Sollwertes", D, "1000", {0, 1000, 1}, 3, 0, kEntry},
    {kRegler, 9, "ANFANGSSOLLWERTEINHEI", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},
    {kRegler, 10, "BETRIEBSART", Ring, "Betriebsart", D, "1", kNo, 0, 0, "Callback_Main_Ring_Betriebsart"},
    {kRegler, 11, "ANSTEIGSZEITEINHEIT", Txt, "[V]", T, nullptr, kNo, 0, 0, ""},
    {kRegler, 12, "MODUSISTWERTNULL", ControlKind::CheckBox, "Stellwert wird Null wenn Istwert gleich Null", I, "0", kNo, 0, 0, ""},
    {kRegler, 13, "TEXTMSG", Txt, "Sonderfunktionen:", T, nullptr, kNo, 0, 0, ""},

    {kAbout, 2, "TEXTMSG", Txt, "ZAN1B-Steuerung", T, nullptr, kNo, 0, 0, ""},
    {kAbout, 3, "VERSION", Txt, "Version", T, nullptr, kNo, 0, 0, ""},
    {kAbout, 4, "DATUM", Txt, "Datum", T, nullptr, kNo, 0, 0, ""},
    {kAbout, 5, "TEXTMSG_4", Txt, "VEK Elektronik, Deutschland", T, nullptr, kNo, 0, 0, ""},
    {kAbout, 6, "TEXTMSG_5", Txt, "Mit ZAN1.1-Steuerung können die Regelparameter\neines ZAN-1 Regelmoduls mit zwei Reglern eingestellt\nwerden.", T, nullptr, kNo, 0, 0, ""},
    {kAbout, 7, "OK", Btn, "OK", N, "", kNo, 0, 0, "Callback_Info_Button_Ok"},
    {kAbout, 8, "PICTURE", ControlKind::Picture, "", N, "", kNo, 0, 0, ""},

    {kKonfig, 2, "TEXTMSG", Txt, "Skalierung von Sollwert und Istwert", T, nullptr, kNo, 0, 0, ""},
    {kKonfig, 3, "AUFSTANDARDWERTE", Btn, "auf Standardwerte zurücksetzen", N, "", kNo, 0, 0, "Callback_Konfig_Button_AufStandardwerte"},
    {kKonfig, 4, "ABBRUCH", Btn, "Abbruch", N, "", kNo, 0, 0, "Callback_Konfig_Button_Abbruch"},
    {kKonfig, 5, "OK", Btn, "Ok", N, "", kNo, 0, 0, "Callback_Konfig_Button_Ok"},
    {kKonfig, 6, "TAB", ControlKind::TabControl, "", N, "", kNo, 0, 0, ""},

    {kKonfigPage, 2, "SKALMIN_VOLT", Num, "V bis", D, "0", kFree, 3, 0, ""},
    {kKonfigPage, 3, "SKALMAX_VOLT", Num, "V am ZAN-1", D, "10", kFree, 3, 0, ""},
    {kKonfigPage, 4, "TEXTMSG_2", Txt, "wird umgerechnet in", T, nullptr, kNo, 0, 0, ""},
    {kKonfigPage, 5, "SKALMIN_UMGERECHNET", Num, "bis", D, "0", kFree, 3, 0, ""},
    {kKonfigPage, 6, "SKAL_EINHEIT", Str, "(Einheit)", T, "V", kNo, 0, 0, ""},
    {kKonfigPage, 7, "SKALMAX_UMGERECHNET", Num, "", D, "10", kFree, 3, 0, ""},
};
// clang-format on

class Zan1Panels : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(testsupport::LoadAllPanels()); }
};

class Inventory : public Zan1Panels, public ::testing::WithParamInterface<Row> {};

TEST_P(Inventory, MatchesTheOperatorInterface) {
    const Row& row = GetParam();
    for (int panel : Handles(row.where)) {
        SCOPED_TRACE("panel handle " + std::to_string(panel));
        const userint::ControlState* c = userint::FindControl(panel, row.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->resource->constant, row.constant);
        EXPECT_EQ(c->resource->kind, row.kind);
        EXPECT_EQ(c->resource->callbackName, row.callback);
        EXPECT_EQ(c->resource->indicator, (row.flags & kInd) != 0);
        std::string label;
        int dimmed = -1;
        EXPECT_EQ(GetCtrlAttribute(panel, row.id, ATTR_LABEL_TEXT, &label), 0);
        EXPECT_EQ(GetCtrlAttribute(panel, row.id, ATTR_DIMMED, &dimmed), 0);
        EXPECT_EQ(label, row.label);
        EXPECT_EQ(dimmed, (row.flags & kDim) != 0);

        // Only the getter of the control's own value type succeeds.
        double number = -1;
        int integer = -1;
        std::string text = "?";
        EXPECT_EQ(GetCtrlVal(panel, row.id, &number), row.type == D ? 0 : kUiWrongType);
        EXPECT_EQ(GetCtrlVal(panel, row.id, &integer), row.type == I ? 0 : kUiWrongType);
        EXPECT_EQ(GetCtrlVal(panel, row.id, &text), row.type == T ? 0 : kUiWrongType);
        if (row.type == D) {
            EXPECT_EQ(number, std::stod(row.value));
        } else if (row.type == I) {
            EXPECT_EQ(integer, std::stoi(row.value));
        } else if (row.type == T) {
            EXPECT_EQ(text, row.value ? row.value : row.label);
        }
        if (row.kind != Num) continue;
        Range range{};
        int precision = -1;
        EXPECT_EQ(GetCtrlAttribute(panel, row.id, ATTR_MIN_VALUE, &range.min), 0);
        EXPECT_EQ(GetCtrlAttribute(panel, row.id, ATTR_MAX_VALUE, &range.max), 0);
        EXPECT_EQ(GetCtrlAttribute(panel, row.id, ATTR_INCR_VALUE, &range.increment), 0);
        EXPECT_EQ(GetCtrlAttribute(panel, row.id, ATTR_PRECISION, &precision), 0);
        EXPECT_EQ(range.min, row.range.min);
        EXPECT_EQ(range.max, row.range.max);
        EXPECT_EQ(range.increment, row.range.increment);
        EXPECT_EQ(precision, row.precision);
    }
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    const char* const prefix[] = {"PANEL_", "TABPANEL_", "ABOUTPANEL_", "KONFIGPNL_", "TABKONFIG_"};
    return prefix[info.param.where] + std::string(info.param.constant);
}

INSTANTIATE_TEST_SUITE_P(Zan1Resource, Inventory, ::testing::ValuesIn(kInventory), RowName);

std::vector<int> AllHandles() {
    return {panelHandle,       tabpanelRegler1,  tabpanelRegler2, aboutpanelHandle,
            konfigpanelHandle, konfigtabRegler1, konfigtabRegler2};
}

// Panel constant, title, size, parent constant, callback; pages and tab labels.
std::string Describe(int panel) {
    const userint::PanelState& p = *userint::FindPanel(panel);
    const userint::PanelState* parent = userint::FindPanel(p.parent);
    std::string out = p.resource->constant + " \"" + p.resource->title + "\" " +
                      std::to_string(p.resource->width) + "x" + std::to_string(p.resource->height) +
                      " in " + (parent ? parent->resource->constant : "-") + " " +
                      p.resource->callbackName;
    for (const auto& c : p.controls) {
        for (std::size_t i = 0; i < c.pages.size(); ++i) {
            out += " " + c.resource->tabLabels.at(i) + ":" +
                   userint::FindPanel(c.pages[i])->resource->constant;
        }
    }
    return out;
}

TEST_F(Zan1Panels, EveryPanelHoldsExactlyItsInventory) {
    const std::vector<std::string> panels = {
        "PANEL \"ZAN-1B Steuerung\" 856x624 in - Callback_MainAndKonfig_Panel"
        " Regler 1:TABPANEL1 Regler 2:TABPANEL2",
        "TABPANEL1 \"\" 400x320 in PANEL ",
        "TABPANEL2 \"\" 400x320 in PANEL ",
        "ABOUTPANEL \"Über ZAN1-Steuerung\" 397x188 in PANEL ",
        "KONFIGPNL \"Konfiguration\" 412x282 in PANEL Callback_MainAndKonfig_Panel"
        " Regler 1:TABKONFIG1 Regler 2:TABKONFIG2",
        "TABKONFIG1 \"\" 392x166 in KONFIGPNL ",
        "TABKONFIG2 \"\" 392x166 in KONFIGPNL ",
    };
    const Where where[] = {kMain, kRegler, kRegler, kAbout, kKonfig, kKonfigPage, kKonfigPage};
    const std::vector<int> handles = AllHandles();
    for (std::size_t i = 0; i < handles.size(); ++i) {
        EXPECT_EQ(Describe(handles[i]), panels[i]);
        std::vector<int> expected, ids;
        for (const Row& row : kInventory) {
            if (row.where == where[i]) expected.push_back(row.id);
        }
        for (const auto& c : userint::FindPanel(handles[i])->controls) {
            ids.push_back(c.resource->id);
        }
        EXPECT_EQ(ids, expected) << panels[i];
    }
}

std::string Items(int panel, int ring) {
    std::ostringstream out;
    for (const auto& item : userint::FindControl(panel, ring)->resource->items) {
        out << item.label << "=" << item.value << ";";
    }
    return out.str();
}

TEST_F(Zan1Panels, RingsToggleTimerChartAndUnitEntry) {
    EXPECT_EQ(Items(panelHandle, PANEL_ADRESSE), "1=1;2=2;3=3;4=4;5=5;6=6;7=7;8=8;alle=9;");
    EXPECT_EQ(Items(panelHandle, PANEL_PORT),
              "COM 1=1;COM 2=2;COM 3=3;COM 4=4;COM 5=5;COM 6=6;COM 7=7;COM 8=8;");
    for (int page : {tabpanelRegler1, tabpanelRegler2}) {
        EXPECT_EQ(Items(page, TABPANEL_BETRIEBSART),
                  "Digitaler Sollwert=1;Analoger Sollwert=2;Stellbetrieb=3;");
    }

    const auto resource = [](int control) {
        return userint::FindControl(panelHandle, control)->resource;
    };
    EXPECT_EQ(resource(PANEL_VERBINDEN)->pressedText, "trennen");
    EXPECT_EQ(resource(PANEL_TIMER)->timerInterval, 0.1);
    EXPECT_EQ(resource(PANEL_STRIPCHART)->traces, 2);
    EXPECT_EQ(resource(PANEL_STRIPCHART)->pointsPerScreen, 200);
    std::string x, y;
    EXPECT_EQ(GetCtrlAttribute(panelHandle, PANEL_STRIPCHART, ATTR_XNAME, &x), 0);
    EXPECT_EQ(GetCtrlAttribute(panelHandle, PANEL_STRIPCHART, ATTR_YNAME, &y), 0);
    EXPECT_EQ(x + "|" + y, "4 s / div|Istwert [V]");
    // Without a settings file no scaling sets the axis: it starts at the zoom defaults.
    const userint::ControlState* chart = userint::FindControl(panelHandle, PANEL_STRIPCHART);
    EXPECT_TRUE(chart->axisManual);
    EXPECT_EQ(chart->axisMin, 0);
    EXPECT_EQ(chart->axisMax, 10);

    for (int page : {konfigtabRegler1, konfigtabRegler2}) {  // refuses a sixth character
        EXPECT_EQ(SetCtrlVal(page, TABKONFIG_SKAL_EINHEIT, "mbar/"), 0);
        EXPECT_EQ(SetCtrlVal(page, TABKONFIG_SKAL_EINHEIT, "mbar/s"), kUiValueRefused);
    }
}

TEST_F(Zan1Panels, MenuBar) {
    std::string bar;
    std::vector<int> ids;
    for (const auto& menu : userint::FindPanel(panelHandle)->resource->menuBar) {
        bar += menu.constant + " \"" + menu.label + "\":";
        ids.push_back(menu.id);
        for (const auto& item : menu.items) {
            bar += " " + item.constant + (item.separator ? "(-)" : "") + " \"" + item.label +
                   "\" " + item.callbackName + ";";
            ids.push_back(item.id);
        }
        bar += "\n";
    }
    EXPECT_EQ(bar,
              "DATEI \"Datei\": PARAMETE \"Parametersatz laden\" Callback_Menu_Laden;"
              " PARAMETE_2 \"Parametersatz speichern\" Callback_Menu_Speichern;"
              " SEPARATOR(-) \"\" ; BEENDEN \"Beenden\" Callback_Menu_Beenden;\n"
              "KONFIG \"Konfiguration\": SKALIERUNG \"Skalieren...\" Callback_Menu_Skalieren;\n"
              "MENU \"?\": BER \"Info...\" Callback_Menu_Info;\n");
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << "menu ids not unique";
}

// The control's box and its label's box (7 px per character, 16 px per line);
// a label sits above its field unless the resource puts it right of it.
std::vector<Geometry> Footprint(const ControlResource& c) {
    const Geometry& g = c.geometry;
    const bool outside = c.kind == Num || c.kind == Str || c.kind == Ring || c.kind == Led;
    if (!outside || c.label.empty()) return {g};
    int lines = 1, longest = 0, current = 0;
    for (char ch : c.label) {
        if (ch == '\n') {
            ++lines;
            current = 0;
        } else if ((ch & 0xC0) != 0x80) {  // UTF-8 lead byte: one character
            longest = std::max(longest, ++current);
        }
    }
    if (c.labelPosition == userint::LabelPosition::Right) {
        return {g, {g.left + g.width + 4, g.top, 7 * longest, g.height}};
    }
    return {g, {g.left, g.top - 16 * lines, std::max(g.width, 7 * longest), 16 * lines}};
}

bool Intersect(const Geometry& a, const Geometry& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool Contains(const Geometry& outer, const Geometry& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.width >= 0 &&
           inner.height >= 0 && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

// Frames and tab controls hold other controls, wholly; nothing else overlaps.
TEST_F(Zan1Panels, ControlsAndLabelsFitTheirPanelWithoutOverlap) {
    for (int panel : AllHandles()) {
        const userint::PanelResource& p = *userint::FindPanel(panel)->resource;
        SCOPED_TRACE(p.constant);
        const int menuBar = p.menuBar.empty() ? 0 : 24;
        const Geometry area{0, menuBar, p.width, p.height - menuBar};
        const auto container = [](const ControlResource& c) {
            return c.kind == ControlKind::Decoration || c.kind == ControlKind::TabControl;
        };
        for (const auto& a : p.controls) {
            if (a.kind == ControlKind::Timer) continue;  // never drawn
            for (const Geometry& boxA : Footprint(a)) {
                EXPECT_TRUE(Contains(area, boxA)) << a.constant;
                for (const auto& b : p.controls) {
                    if (&b == &a || b.kind == ControlKind::Timer) continue;
                    for (const Geometry& boxB : Footprint(b)) {
                        if (container(a) && !container(b)) {
                            EXPECT_TRUE(Contains(a.geometry, boxB) || !Intersect(a.geometry, boxB))
                                << a.constant << " cuts " << b.constant;
                        } else if (!container(a) && !container(b)) {
                            EXPECT_FALSE(Intersect(boxA, boxB))
                                << a.constant << " / " << b.constant;
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
