// The open-on-demand rule as a scope: a session finds the port that is held
// open, or opens one and closes it again when the scope ends, on every way
// out. A port opened here whose timeout could not be set is closed again at
// once, so it is not taken for a held connection.
#pragma once

#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace zan1com {

class PortSession {
  public:
    // Opens the port chosen in PORT.
    PortSession() : m_openedHere(gComPort == -1), m_status(m_openedHere ? OpenComPort() : 0) {}
    // Opens the given port, for callers without the operator window.
    explicit PortSession(int port)
        : m_openedHere(gComPort == -1), m_status(m_openedHere ? ComPortOeffnen(port) : 0) {}
    ~PortSession() {
        if (m_openedHere) CloseComPort();
    }
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // 0, or the open's code; then the operation returns it at once.
    int status() const { return m_status; }
    int port() const { return gComPort; }

  private:
    bool m_openedHere;
    int m_status;
};

// The bus address chosen in ADRESSE: 1..8, or 9 for every module.
inline int BusAdresse() {
    int address = 0;
    GetCtrlVal(panelHandle, PANEL_ADRESSE, &address);
    return address;
}

}  // namespace zan1com
