#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "tests/support/panels.h"
#include "tests/support/tempdir.h"

namespace configtest {

inline const userint::ControlState& C(int panel, int control) {
    static const userint::ControlState kNone{};
    const userint::ControlState* c = userint::FindControl(panel, control);
    EXPECT_NE(c, nullptr) << "control " << control;
    return c != nullptr ? *c : kNone;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[400];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

inline std::string Text(const Konfigstruktur& k) {
    return Format("%g %g %g %g '%s'", k.vmin, k.vmax, k.einheitmin, k.einheitmax, k.einheit);
}

// A configuration page as a record; typing a record into it as the operator would.
inline std::string Seite(int s) {
    return Format("%g %g %g %g '%s'", C(s, TABKONFIG_SKALMIN_VOLT).number,
                  C(s, TABKONFIG_SKALMAX_VOLT).number, C(s, TABKONFIG_SKALMIN_UMGERECHNET).number,
                  C(s, TABKONFIG_SKALMAX_UMGERECHNET).number,
                  C(s, TABKONFIG_SKAL_EINHEIT).text.c_str());
}
inline void SeiteSetzen(int s, const Konfigstruktur& k) {
    SetCtrlVal(s, TABKONFIG_SKALMIN_VOLT, k.vmin);
    SetCtrlVal(s, TABKONFIG_SKALMAX_VOLT, k.vmax);
    SetCtrlVal(s, TABKONFIG_SKALMIN_UMGERECHNET, k.einheitmin);
    SetCtrlVal(s, TABKONFIG_SKALMAX_UMGERECHNET, k.einheitmax);
    SetCtrlVal(s, TABKONFIG_SKAL_EINHEIT, k.einheit);
}
inline int Skalieren(const Konfigstruktur& k1, const Konfigstruktur& k2) {
    SeiteSetzen(konfigtabRegler1, k1);
    SeiteSetzen(konfigtabRegler2, k2);
    return NeueSkalierungSetzen();
}

// Everything the scaled controls of a channel show (channel 1: with zoom and
// chart), one line per control.
inline std::vector<std::string> Zustand(int kanal) {
    const int t = kanal == 1 ? tabpanelRegler1 : tabpanelRegler2;
    std::vector<std::pair<int, int>> controls = {{t, TABPANEL_ANFANGSSOLLWERT_},
                                                 {t, TABPANEL_ANSTIEGSZEIT},
                                                 {t, TABPANEL_ANFANGSSOLLWERTEINHEI},
                                                 {t, TABPANEL_ANSTEIGSZEITEINHEIT}};
    const std::vector<int> haupt =
        kanal == 1
            ? std::vector{PANEL_SOLLWERT1,       PANEL_ISTWERT1,       PANEL_SOLLWERTEINHEIT1,
                          PANEL_ISTWERTEINHEIT1, PANEL_GRAPHZOOMMIN,   PANEL_GRAPHZOOMMAX,
                          PANEL_ZOOMMINEINHEIT,  PANEL_ZOOMMAXEINHEIT, PANEL_STRIPCHART}
            : std::vector{PANEL_SOLLWERT2, PANEL_ISTWERT2, PANEL_SOLLWERTEINHEIT2,
                          PANEL_ISTWERTEINHEIT2};
    for (const int id : haupt)
        controls.emplace_back(panelHandle, id);
    std::vector<std::string> lines;
    for (const auto& [panel, id] : controls) {
        const userint::ControlState& c = C(panel, id);
        lines.push_back(Format("%d/%d %.17g '%s' %.17g..%.17g %.17g %d '%s' %.17g..%.17g", panel,
                               id, c.number, c.text.c_str(), c.min, c.max, c.increment, c.precision,
                               c.yName.c_str(), c.axisMin, c.axisMax));
    }
    return lines;
}

// Fresh panels, default records and an empty current directory per test.
class ConfigTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(m_directory.path().empty());
        ASSERT_TRUE(testsupport::LoadAllPanels());
        KonfigstrukturAufStandardwerte();
    }

    testsupport::TemporaryCurrentDirectory m_directory;
};

}  // namespace configtest
