// The window over scripted ports: the panels as at start-up (PORT 3, ADRESSE
// 1, default scaling), a running program with its module thread, the
// module's wire in short words and case tables beside the tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/programm.h"
#include "app/skalierung.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/uithread.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "tests/support/panels.h"
#include "tests/support/scriptedport.h"

namespace fenster {

inline double Num(int panel, int control) {
    return userint::FindControl(panel, control)->number;
}

// The id of the control that a panel's resource names constant.
inline int Control(int panel, const std::string& constant) {
    for (const userint::ControlState& c : userint::FindPanel(panel)->controls)
        if (c.resource->constant == constant) return c.resource->id;
    ADD_FAILURE() << "no control " << constant;
    return 0;
}

// Words split at blanks or commas.
inline std::vector<std::string> Words(std::string text) {
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The frames sent, in short words: "4M1R 4S1W2.500" is "#4M1R\r#4S1W2.500\r", "-" none.
inline std::string Frames(const std::string& words) {
    std::string frames;
    for (const std::string& word : Words(words)) {
        if (word != "-") frames += "#" + word + "\r";
    }
    return frames;
}

// Answers to a parameter set written.
inline const std::string kAcks =
    "ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK";

// Lets the module thread do what was asked and shows its results, as the
// event loop would.
inline void Warten() {
    for (int i = 0; i < 1000 && !LaufendesProgramm().modul.frei(); ++i)
        userint::RunPostedWork(std::chrono::milliseconds(10));
    ASSERT_TRUE(LaufendesProgramm().modul.frei()) << "the module thread did not finish";
}

// Channel kanal shows lo..hi for 0..10 V, adopted as the configuration panel does.
inline void Skalieren(int kanal, double lo, double hi) {
    const int page = kanal == 1 ? konfigtabRegler1 : konfigtabRegler2;
    SetCtrlVal(page, TABKONFIG_SKALMIN_UMGERECHNET, lo);
    SetCtrlVal(page, TABKONFIG_SKALMAX_UMGERECHNET, hi);
    ASSERT_EQ(NeueSkalierungSetzen(), 0);
}

// Records the texts of the status line and the last focus request.
struct RecordingView : userint::View {
    void run() override {}
    void quit() override {}
    void panelChanged(int) override {}
    void controlChanged(int panel, int control) override {
        if (panel == panelHandle && control == PANEL_TEXT)
            shown.push_back(userint::FindControl(panel, control)->text);
    }
    void focusRequested(int panel, int control) override { focus = {panel, control}; }
    std::vector<std::string> shown;
    std::pair<int, int> focus{0, 0};
};

class Fenster : public testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override {
        m_programm.reset();
        userint::SetView(nullptr);
    }
    // A fresh start, also between the cases of one test.
    virtual void reset() {
        m_programm.reset();  // its thread ends before the script changes
        script() = {};
        ASSERT_TRUE(testsupport::LoadAllPanels());
        m_programm = std::make_unique<Programm>();
        SetCtrlVal(panelHandle, PANEL_PORT, 3);
        m_view = {};
        userint::SetView(&m_view);
    }
    testsupport::PortScript& script() { return m_ports.script(); }
    // One answer per write: "4M1R2" is ACK "#4M1R2" CR, "ACK" and "NAK" stand
    // alone, "-" stays silent; NOPORT: no port opens, NOTIMEOUT: no timeout can be set.
    void answer(const std::string& words) {
        for (const std::string& w : Words(words)) {
            script().failOpen |= w == "NOPORT";
            script().failTimeout |= w == "NOTIMEOUT";
            script().answerNextWrite(w == "-"     ? ""
                                     : w == "ACK" ? "\x06"
                                     : w == "NAK" ? "\x15"
                                                  : "\x06#" + w + "\r");
        }
    }
    // Commits a control and waits for what it started.
    static void Commit(int panel, int control) {
        ASSERT_TRUE(userint::DispatchCommit(panel, control));
        Warten();
    }

    testsupport::ScriptedPorts m_ports;  // outlives the program and its thread
    RecordingView m_view;
    std::unique_ptr<Programm> m_programm;
};

}  // namespace fenster
