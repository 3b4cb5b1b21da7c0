#include "app/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "tests/support/panels.h"

namespace {

using userint::ControlKind;
using userint::ControlResource;
using userint::Geometry;
using userint::kUnbounded;
using userint::ValueType;

class Zan1Panels : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(testsupport::LoadAllPanels()); }
};

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
    // Ids run from 2 without gaps, in the order the controls are listed.
    const int lastId[] = {48, 13, 13, 8, 6, 7, 7};
    const std::vector<int> handles = AllHandles();
    for (std::size_t i = 0; i < handles.size(); ++i) {
        EXPECT_EQ(Describe(handles[i]), panels[i]);
        std::vector<int> expected, ids;
        for (int id = 2; id <= lastId[i]; ++id)
            expected.push_back(id);
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
    const bool outside = c.kind == ControlKind::Numeric || c.kind == ControlKind::String ||
                         c.kind == ControlKind::Ring || c.kind == ControlKind::Led;
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
