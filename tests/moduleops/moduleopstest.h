// Shared set-up of the module-operation tests: the panels as at start-up, every
// port scripted, default scaling, no port open; and a view that records what
// the status line showed and how much had gone out on the line by then.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "driver/parametermap.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"
#include "tests/support/panels.h"
#include "tests/support/scriptedport.h"

namespace moduleopstest {

inline constexpr char kAck[] = "\x06";
inline constexpr char kNak[] = "\x15";

// Both channels' parameter sets in transfer order.
inline constexpr std::array<const char*, 18> kSatz = {
    "P1", "I1", "D1", "anfangssoll1", "min1", "max1", "anstiegszeit1", "betriebsart1", "modus1",
    "P2", "I2", "D2", "anfangssoll2", "min2", "max2", "anstiegszeit2", "betriebsart2", "modus2"};

inline std::string Code(const char* name) {
    const vekzan1::Parameter* p = vekzan1::FindParameter(name);
    return p ? std::string{p->codeLetter, p->codeDigit} : "??";
}
// The module's answer to a read of name: ACK, then "#<address><code>R<value>" CR.
inline std::string ReadAnswer(int address, const char* name, const std::string& value) {
    return "\x06#" + std::to_string(address) + Code(name) + "R" + value + "\r";
}
// The command frame of a read or, with a value text, of a write.
inline std::string Frame(int address, const char* name, const std::string& value = "") {
    return "#" + std::to_string(address) + Code(name) + (value.empty() ? "R" : "W" + value) + "\r";
}

template <class T>
T Val(int panel, int control) {
    T value{};
    GetCtrlVal(panel, control, &value);
    return value;
}
inline std::string Text(int panel, int control) {
    return Val<std::string>(panel, control);
}

// A channel's record set directly, with the setpoint fields' ranges widened to
// the user values of 0 and 10 V, as adopting the scaling would.
inline void Skalieren(int kanal, Konfigstruktur konfig) {
    (kanal == 1 ? gKonfig1 : gKonfig2) = konfig;
    const int page = kanal == 1 ? tabpanelRegler1 : tabpanelRegler2;
    const double lo = Umrechnen_VoltZuBenutzereinheit(0, konfig);
    const double hi = Umrechnen_VoltZuBenutzereinheit(10, konfig);
    BereichSetzen(panelHandle, kanal == 1 ? PANEL_SOLLWERT1 : PANEL_SOLLWERT2, lo, hi);
    BereichSetzen(page, TABPANEL_ANFANGSSOLLWERT_, lo, hi);
    BereichSetzen(page, TABPANEL_ANSTIEGSZEIT, Umrechnen_VoltZuBenutzereinheit(0, konfig),
                  Umrechnen_VoltZuBenutzereinheit(1000, konfig));
}

inline Konfigstruktur Abbildung(double einheitmin, double einheitmax) {
    return {0, 10, einheitmin, einheitmax, "E"};
}

class ModuleOps : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::LoadAllPanels());
        KonfigstrukturAufStandardwerte();
        SetCtrlVal(panelHandle, PANEL_PORT, 3);
        SetCtrlVal(panelHandle, PANEL_ADRESSE, 1);
    }
    void TearDown() override {
        CloseComPort();
        KonfigstrukturAufStandardwerte();
    }
    testsupport::PortScript& script() { return m_ports.script(); }
    void answer(const std::string& bytes) { script().answerNextWrite(bytes); }
    // Holds a connection, as the connect toggle does.
    void connect() {
        ASSERT_EQ(OpenComPort(), 0);
        ASSERT_EQ(gComPort, 3);
    }

  private:
    testsupport::ScriptedPorts m_ports;
};

// Each text shown in TEXT, with the bytes written to the line at that moment.
class StatusRecorder final : public userint::View {
  public:
    explicit StatusRecorder(const testsupport::PortScript& script) : m_script(script) {
        userint::SetView(this);
    }
    ~StatusRecorder() override { userint::SetView(nullptr); }

    void run() override {}
    void quit() override {}
    void panelChanged(int) override {}
    void controlChanged(int panel, int control) override {
        if (panel == panelHandle && control == PANEL_TEXT)
            shown.emplace_back(Text(panel, control), m_script.written);
    }
    void focusRequested(int, int) override {}

    std::vector<std::pair<std::string, std::string>> shown;

  private:
    const testsupport::PortScript& m_script;
};

}  // namespace moduleopstest
