// The module operations against the simulated bus on a real pseudo-terminal.
#include <array>
#include <string>

#include "driver/vekzan1.h"
#include "tests/e2e/simfixture.h"
#include "tests/moduleops/moduleopstest.h"

namespace {

using moduleopstest::Text;
using moduleopstest::Val;

class ModuleOpsOnPty : public SimBus {
  protected:
    void SetUp() override {
        startBus({{{2, "VEK-ZAN1B-ZWEI"}, {3, "FREMD-GERAET", true}, {5, "VEK-ZAN1B-FUENF"}},
                  {},
                  false});
        if (IsSkipped()) return;
        ASSERT_TRUE(testsupport::LoadAllPanels());
        KonfigstrukturAufStandardwerte();
        SetCtrlVal(panelHandle, PANEL_PORT, kPort);
    }
    void TearDown() override {
        CloseComPort();
        KonfigstrukturAufStandardwerte();
        SimBus::TearDown();
    }
};

TEST_F(ModuleOpsOnPty, ScanFindsModulesAndTheForeignDevice) {
    // A held connection with a short timeout keeps the five silent addresses quick.
    ASSERT_EQ(OpenComPort(), 0);
    ASSERT_EQ(VEKZAN1_Timeout(kPort, 0.2), 0);
    ASSERT_EQ(ZAN1Scann(), 0);
    const std::array<int, 8> on = {0, 1, 1, 0, 1, 0, 0, 0};
    const std::array<int, 8> colour = {0, 0x00FF00, 0xFF0000, 0, 0x00FF00, 0, 0, 0};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Val<int>(panelHandle, PANEL_LED1 + i), on[i]) << "LED" << i + 1;
        int c = 0;
        GetCtrlAttribute(panelHandle, PANEL_LED1 + i, ATTR_ON_COLOR, &c);
        EXPECT_EQ(on[i] ? c : 0, colour[i])
            << "LED" << i + 1;  // an off lamp has no colour to check
    }
    EXPECT_EQ(Text(panelHandle, PANEL_IDSTRING), "VEK-ZAN1B-FUENF");
    EXPECT_EQ(Text(panelHandle, PANEL_TEXT), "");
    EXPECT_EQ(gComPort, kPort);
}

TEST_F(ModuleOpsOnPty, ParameterSetRoundTripsUnderAScaling) {
    moduleopstest::Skalieren(1, moduleopstest::Abbildung(0, 100));
    SetCtrlVal(panelHandle, PANEL_ADRESSE, 5);
    constexpr std::array<int, 8> kFelder = {
        TABPANEL_PANTEIL,  TABPANEL_IANTEIL,  TABPANEL_DANTEIL,      TABPANEL_ANFANGSSOLLWERT_,
        TABPANEL_STELLMIN, TABPANEL_STELLMAX, TABPANEL_ANSTIEGSZEIT, TABPANEL_BETRIEBSART};
    const std::array<double, 8> seite1 = {2.5, 0.75, 0.01, 25, 1, 9, 1000, 2};
    const std::array<double, 8> seite2 = {-12.5, 150, 0.125, 7.5, 0.5, 8, 250, 3};
    for (std::size_t i = 0; i < kFelder.size(); ++i) {
        ASSERT_EQ(SetCtrlVal(tabpanelRegler1, kFelder[i], seite1[i]), 0);
        ASSERT_EQ(SetCtrlVal(tabpanelRegler2, kFelder[i], seite2[i]), 0);
    }
    SetCtrlVal(tabpanelRegler1, TABPANEL_MODUSISTWERTNULL, 1);

    ASSERT_EQ(ParametersatzSchreiben(), 0);
    EXPECT_EQ(gComPort, -1);
    EXPECT_EQ(sim().parameter(5, "anfangssoll1"), 2.5);  // volts on the module
    EXPECT_EQ(sim().parameter(5, "anstiegszeit1"), 100);
    EXPECT_EQ(sim().parameter(5, "modus1"), 1);

    // A fresh window under the same scaling shows what the module holds.
    ASSERT_TRUE(testsupport::LoadAllPanels());
    SetCtrlVal(panelHandle, PANEL_PORT, kPort);
    SetCtrlVal(panelHandle, PANEL_ADRESSE, 5);
    moduleopstest::Skalieren(1, moduleopstest::Abbildung(0, 100));
    ASSERT_EQ(ParametersatzLesen(), 0);
    for (std::size_t i = 0; i < kFelder.size(); ++i) {
        EXPECT_DOUBLE_EQ(Val<double>(tabpanelRegler1, kFelder[i]), seite1[i]) << i;
        EXPECT_DOUBLE_EQ(Val<double>(tabpanelRegler2, kFelder[i]), seite2[i]) << i;
    }
    EXPECT_EQ(Val<int>(tabpanelRegler1, TABPANEL_MODUSISTWERTNULL), 1);
    EXPECT_EQ(Val<int>(tabpanelRegler2, TABPANEL_MODUSISTWERTNULL), 0);
    EXPECT_EQ(gComPort, -1);
}

}  // namespace
