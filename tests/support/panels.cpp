#include "tests/support/panels.h"

#include "app/resource.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"

namespace testsupport {

bool LoadAllPanels() {
    userint::ResetModel();
    // No handle of an earlier test may survive a failing load.
    for (int* handle : {&panelHandle, &aboutpanelHandle, &konfigpanelHandle, &tabpanelRegler1,
                        &tabpanelRegler2, &konfigtabRegler1, &konfigtabRegler2})
        *handle = 0;
    RegisterZan1Resource();
    if ((panelHandle = LoadPanel(0, kResourceName, PANEL)) < 0) return false;
    if ((aboutpanelHandle = LoadPanel(panelHandle, kResourceName, ABOUTPANEL)) < 0) return false;
    if ((konfigpanelHandle = LoadPanel(panelHandle, kResourceName, KONFIGPNL)) < 0) return false;
    return GetPanelHandleFromTabPage(panelHandle, PANEL_TAB, 0, &tabpanelRegler1) == 0 &&
           GetPanelHandleFromTabPage(panelHandle, PANEL_TAB, 1, &tabpanelRegler2) == 0 &&
           GetPanelHandleFromTabPage(konfigpanelHandle, KONFIGPNL_TAB, 0, &konfigtabRegler1) == 0 &&
           GetPanelHandleFromTabPage(konfigpanelHandle, KONFIGPNL_TAB, 1, &konfigtabRegler2) == 0;
}

}  // namespace testsupport
