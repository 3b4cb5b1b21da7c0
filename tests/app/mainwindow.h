// The operator program's panels in a fresh model, with a scripted dialog
// interface and a view that records focus requests, for tests that drive the
// main window through commits and timer ticks.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/ZAN1BSteuerung.h"
#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "tests/support/panels.h"

namespace testsupport {

struct Popup {
    std::string title;
    std::string text;
    bool pollingOn;  // gIstwerteAbfragen while the box was up
};

class RecordingDialogs : public userint::Dialogs {
  public:
    void message(const std::string& title, const std::string& text) override {
        popups.push_back({title, text, gIstwerteAbfragen});
    }
    int selectFile(const userint::FileSelectRequest&, std::string*) override {
        return VAL_NO_FILE_SELECTED;
    }
    std::vector<Popup> popups;
};

class FocusView : public userint::View {
  public:
    void run() override {}
    void quit() override {}
    void panelChanged(int) override {}
    void controlChanged(int, int) override {}
    void focusRequested(int panel, int control) override { focus = {panel, control}; }
    std::pair<int, int> focus{0, 0};
};

class MainWindowBase {
  protected:
    void load() {
        ASSERT_TRUE(LoadAllPanels());
        gIstwerteAbfragen = false;
        gWarnungAngezeigt = 0;
        KonfigstrukturAufStandardwerte();
        userint::SetDialogs(&m_dialogs);
        userint::SetView(&m_view);
    }
    void unload() {
        CloseComPort();
        userint::SetDialogs(nullptr);
        userint::SetView(nullptr);
    }

    // Scales channel n from 0..10 V onto lo..hi in the user unit.
    static void Skalieren(int kanal, double lo, double hi) {
        const int page = kanal == 1 ? konfigtabRegler1 : konfigtabRegler2;
        SetCtrlVal(page, TABKONFIG_SKALMIN_UMGERECHNET, lo);
        SetCtrlVal(page, TABKONFIG_SKALMAX_UMGERECHNET, hi);
        ASSERT_EQ(NeueSkalierungSetzen(), 0);
    }
    static void Verbinden(bool pressed) {
        SetCtrlVal(panelHandle, PANEL_VERBINDEN, pressed ? 1 : 0);
        ASSERT_TRUE(userint::DispatchCommit(panelHandle, PANEL_VERBINDEN));
    }
    static void Tick() { ASSERT_TRUE(userint::DispatchTimerTick(panelHandle, PANEL_TIMER)); }

    static double Num(int panel, int control) {
        double value = 0;
        GetCtrlVal(panel, control, &value);
        return value;
    }
    static int Int(int panel, int control) {
        int value = 0;
        GetCtrlVal(panel, control, &value);
        return value;
    }
    static bool Dimmed(int control) { return userint::FindControl(panelHandle, control)->dimmed; }
    // The connection as the operator sees it, checked as a whole.
    static void ExpectConnected(bool connected) {
        EXPECT_EQ(Int(panelHandle, PANEL_VERBINDEN), connected ? 1 : 0);
        EXPECT_EQ(gIstwerteAbfragen, connected);
        EXPECT_EQ(gComPort != -1, connected);
        for (int c : {PANEL_ISTWERT1, PANEL_ISTWERTEINHEIT1, PANEL_ISTWERT2, PANEL_ISTWERTEINHEIT2})
            EXPECT_EQ(Dimmed(c), !connected) << "control " << c;
        EXPECT_EQ(Dimmed(PANEL_PORT), connected);
        EXPECT_FALSE(Dimmed(PANEL_ADRESSE));
    }
    static int Fehlernummer() { return Int(panelHandle, PANEL_FEHLERNUMMER); }

    RecordingDialogs m_dialogs;
    FocusView m_view;
};

}  // namespace testsupport
