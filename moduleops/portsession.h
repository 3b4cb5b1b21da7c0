// The open-on-demand rule as a scope: a session finds the port that the
// operator holds open, or opens the one chosen in PORT and closes it again when
// the scope ends, on every way out. A port opened here whose timeout could not
// be set is closed again at once, so it is not taken for a held connection.
#pragma once

#include "app/ZAN1Steuerung.h"
#include "app/panelhandles.h"
#include "moduleops/ZAN1Com.h"
#include "platform/userint/userint.h"

namespace zan1com {

class PortSession {
  public:
    PortSession() : m_openedHere(gComPort == -1), m_status(m_openedHere ? OpenComPort() : 0) {}
    ~PortSession() {
        if (m_openedHere) CloseComPort();
    }
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // 0, or OpenComPort's code; then the operation returns it at once.
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
