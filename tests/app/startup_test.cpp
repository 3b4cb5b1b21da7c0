// Start-up, quitting and the end of the program, without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/ZAN1BSteuerung.h"
#include "app/resource.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/rs232/rs232.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "tests/support/scriptedport.h"
#include "tests/support/tempdir.h"

namespace {

namespace fs = std::filesystem;

class Startup : public testing::Test {
  protected:
    void SetUp() override { userint::ResetModel(); }
    void TearDown() override { CloseComPort(); }
    static std::string Text(int panel, int control) {
        std::string text;
        GetCtrlVal(panel, control, &text);
        return text;
    }
    testsupport::TemporaryCurrentDirectory m_directory;
};

TEST_F(Startup, MissingResourceEndsWithMinusOneAndShowsNothing) {
    EXPECT_EQ(ProgramMain(), -1);
    for (int panel : userint::PanelHandles())
        EXPECT_FALSE(userint::FindPanel(panel)->visible);
    EXPECT_FALSE(fs::exists("zan1steuerung.ini"));
}

TEST_F(Startup, ClosingTheConfigurationPanelEndsTheProgramAndSavesTheSettings) {
    testsupport::ScriptedPorts ports;
    RegisterZan1Resource();
    userint::PostToLoop([] {
        EXPECT_TRUE(userint::FindPanel(panelHandle)->visible);
        EXPECT_FALSE(userint::FindPanel(konfigpanelHandle)->visible);
        EXPECT_EQ(Text(aboutpanelHandle, ABOUTPANEL_VERSION), "V 1.0");
        EXPECT_EQ(Text(aboutpanelHandle, ABOUTPANEL_DATUM), "12/2010");
        EXPECT_EQ(Text(panelHandle, PANEL_TEXT), "");
        EXPECT_EQ(SetCtrlVal(konfigtabRegler2, TABKONFIG_SKAL_EINHEIT, "abcdef"), kUiValueRefused);
        SetCtrlVal(panelHandle, PANEL_PORT, 3);
        ASSERT_EQ(OpenComPort(), 0);  // as a held connection would
        EXPECT_TRUE(userint::DispatchPanelEvent(konfigpanelHandle, EVENT_CLOSE));
    });
    userint::PostToLoop([] { ADD_FAILURE() << "the loop went on after the close"; });
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(gComPort, -1);
    EXPECT_EQ(ports.script().closes, 1);
    EXPECT_LT(CloseCom(3), 0);  // closed by the end of the program
    ASSERT_TRUE(fs::exists("zan1steuerung.ini"));
}

TEST_F(Startup, BeendenEndsAndInfoShowsTheInfoPanelUntilOk) {
    RegisterZan1Resource();
    userint::PostToLoop([] {
        EXPECT_TRUE(userint::DispatchMenu(panelHandle, MENUBAR_MENU_BER));
        EXPECT_EQ(userint::Popups(), std::vector<int>{aboutpanelHandle});
        EXPECT_TRUE(userint::DispatchCommit(aboutpanelHandle, ABOUTPANEL_OK));
        EXPECT_TRUE(userint::Popups().empty());
        EXPECT_TRUE(userint::DispatchMenu(panelHandle, MENUBAR_DATEI_BEENDEN));
    });
    userint::PostToLoop([] { ADD_FAILURE() << "the loop went on after Beenden"; });
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_TRUE(fs::exists("zan1steuerung.ini"));
}

}  // namespace
