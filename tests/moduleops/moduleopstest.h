// The panels as at start-up over scripted ports (PORT 3, ADRESSE 1, default
// scaling, no port open), the module's wire in short words and case tables
// beside the tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "tests/support/panels.h"
#include "tests/support/scriptedport.h"

namespace moduleopstest {

inline double Num(int panel, int control) {
    return userint::FindControl(panel, control)->number;
}

// The cases of a table file beside the test (ZAN1_TEST_DATA): one per line,
// fields split at blanks; lines starting with # are comments.
inline std::vector<std::vector<std::string>> Faelle(const std::string& datei) {
    std::ifstream in(std::string(ZAN1_TEST_DATA) + "/" + datei);
    std::vector<std::vector<std::string>> faelle;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        faelle.emplace_back(std::istream_iterator<std::string>(words),
                            std::istream_iterator<std::string>());
        if (faelle.back().empty() || faelle.back()[0][0] == '#') faelle.pop_back();
    }
    EXPECT_FALSE(faelle.empty()) << datei;
    return faelle;
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

// Answers to a parameter set written.
inline const std::string kAcks =
    "ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK";

// The frames sent, in short words: "4M1R 4S1W2.500" is "#4M1R\r#4S1W2.500\r", "-" none.
inline std::string Frames(const std::string& words) {
    std::string frames;
    for (const std::string& word : Words(words)) {
        if (word != "-") frames += "#" + word + "\r";
    }
    return frames;
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

class ModuleOps : public testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override {
        userint::SetView(nullptr);
        CloseComPort();
    }
    // A fresh start, also between the cases of one test.
    virtual void reset() {
        TearDown();
        script() = {};
        ASSERT_TRUE(testsupport::LoadAllPanels());
        KonfigstrukturAufStandardwerte();
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

    testsupport::ScriptedPorts m_ports;
    RecordingView m_view;
};

}  // namespace moduleopstest
