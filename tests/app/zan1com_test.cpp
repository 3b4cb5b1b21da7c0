// The open serial port of the operator program and the open-on-demand rule's two ends.
#include <gtest/gtest.h>

#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"
#include "tests/support/panels.h"
#include "tests/support/scriptedport.h"

namespace {

class ComPort : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(testsupport::LoadAllPanels()); }
    void TearDown() override { CloseComPort(); }
    testsupport::ScriptedPorts m_ports;
};

TEST_F(ComPort, OpensThePortOfTheRingOnceWithItsTimeout) {
    SetCtrlVal(panelHandle, PANEL_PORT, 4);
    EXPECT_EQ(OpenComPort(), 0);
    EXPECT_EQ(gComPort, 4);
    EXPECT_EQ(m_ports.script().timeout, 1.0);
    EXPECT_EQ(OpenComPort(), 0);  // the same port: nothing happens
    EXPECT_EQ(m_ports.script().opens, 1);

    SetCtrlVal(panelHandle, PANEL_PORT, 6);
    EXPECT_EQ(OpenComPort(), 0);  // another port: the old one is closed first
    EXPECT_EQ(gComPort, 6);
    EXPECT_EQ(m_ports.script().closes, 1);
    EXPECT_EQ(CloseComPort(), 0);
    EXPECT_EQ(gComPort, -1);
    EXPECT_EQ(CloseComPort(), 0);  // nothing open: nothing called
    EXPECT_EQ(m_ports.script().closes, 2);
}

TEST_F(ComPort, FailuresAreReportedAndLeaveTheRightState) {
    m_ports.script().failOpen = true;
    EXPECT_EQ(OpenComPort(), -100002);
    EXPECT_EQ(gComPort, -1);
    EXPECT_EQ(OpenComPort(), -100002);  // tried again, not remembered
    m_ports.script().failOpen = false;
    m_ports.script().failTimeout = true;
    EXPECT_EQ(OpenComPort(), -111004);
    EXPECT_EQ(gComPort, 1);  // open and recorded all the same
    m_ports.script().failClose = true;
    EXPECT_EQ(CloseComPort(), 0);  // a failed close counts as closed
    EXPECT_EQ(gComPort, -1);
}

}  // namespace
