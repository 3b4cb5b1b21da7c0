#include "moduleops/ZAN1Com.h"

#include "driver/vekzan1.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

int gComPort = -1;

namespace {

constexpr double kReadTimeoutSeconds = 1.0;
constexpr int kNoPort = -1;

}  // namespace

int OpenComPort() {
    int port = kNoPort;
    GetCtrlVal(panelHandle, PANEL_PORT, &port);
    return ComPortOeffnen(port);
}

int ComPortOeffnen(int newPort) {
    const int oldPort = gComPort;
    if (newPort == oldPort) return 0;
    if (oldPort != kNoPort) VEKZAN1_Close(oldPort);
    if (newPort == kNoPort) {
        gComPort = kNoPort;
        return 0;
    }
    if (const int opened = VEKZAN1_Open(newPort); opened != 0) {
        gComPort = kNoPort;
        return opened;
    }
    gComPort = newPort;
    return VEKZAN1_Timeout(newPort, kReadTimeoutSeconds);
}

int CloseComPort() {
    if (gComPort != kNoPort) {
        VEKZAN1_Close(gComPort);
        gComPort = kNoPort;
    }
    return 0;
}
