#include "app/ZAN1BSteuerung.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/einstellungen.h"
#include "app/maincallbacks.h"
#include "app/messwertaufzeichnung.h"
#include "app/programm.h"
#include "app/skalierung.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/resource.h"
#include "platform/userint/userint.h"
#include "platform/version.h"

namespace {

constexpr int kStartupFailed = -1;
constexpr int kUnitLength = 5;

bool LoadPanels() {
    panelHandle = LoadPanel(0, kResourceName, PANEL);
    if (panelHandle < 0) return false;
    aboutpanelHandle = LoadPanel(panelHandle, kResourceName, ABOUTPANEL);
    if (aboutpanelHandle < 0) return false;
    konfigpanelHandle = LoadPanel(panelHandle, kResourceName, KONFIGPNL);
    if (konfigpanelHandle < 0) return false;
    return GetPanelHandleFromTabPage(panelHandle, PANEL_TAB, 0, &tabpanelRegler1) == 0 &&
           GetPanelHandleFromTabPage(panelHandle, PANEL_TAB, 1, &tabpanelRegler2) == 0 &&
           GetPanelHandleFromTabPage(konfigpanelHandle, KONFIGPNL_TAB, 0, &konfigtabRegler1) == 0 &&
           GetPanelHandleFromTabPage(konfigpanelHandle, KONFIGPNL_TAB, 1, &konfigtabRegler2) == 0;
}

}  // namespace

int ProgramMain() {
    // A control whose callback is missing would do nothing when operated.
    if (const std::vector<std::string> fehlend = userint::UnattachedCallbacks(kResourceName);
        !fehlend.empty()) {
        for (const std::string& name : fehlend)
            std::fprintf(stderr, "zan1steuerung: no callback %s\n", name.c_str());
        return kStartupFailed;
    }
    if (!LoadPanels()) return kStartupFailed;
    Programm programm;
    PanelsInitialisieren((std::string("V ") + ProgramVersion()).c_str(), kDatum);
    LoadIni();
    DiagrammBeschriften();
    SetPrecision();
    DisplayPanel(panelHandle);
    RunUserInterface();
    AufzeichnungAbschliessen();
    if (programm.scan) programm.scan->request_stop();
    programm.modul.beenden();
    WriteIni();
    return 0;
}

void PanelsInitialisieren(const char* version, const char* datum) {
    SetCtrlVal(aboutpanelHandle, ABOUTPANEL_VERSION, version);
    SetCtrlVal(aboutpanelHandle, ABOUTPANEL_DATUM, datum);
    SetCtrlVal(panelHandle, PANEL_TEXT, "");
    SetCtrlAttribute(konfigtabRegler1, TABKONFIG_SKAL_EINHEIT, ATTR_MAX_ENTRY_LENGTH, kUnitLength);
    SetCtrlAttribute(konfigtabRegler2, TABKONFIG_SKAL_EINHEIT, ATTR_MAX_ENTRY_LENGTH, kUnitLength);
    // An error is a warning sign, not an all-clear.
    SetCtrlAttribute(panelHandle, PANEL_FEHLERLED, ATTR_ON_COLOR, kRgbRed);
    PortsBeschreiben();
}

int Callback_MainAndKonfig_Panel(int /*panel*/, int event) {
    if (event == EVENT_CLOSE) QuitUserInterface(0);
    return 0;
}

void Callback_Menu_Beenden(int /*menuItem*/, int /*panel*/) {
    QuitUserInterface(0);
}

void Callback_Menu_Info(int /*menuItem*/, int /*panel*/) {
    InstallPopup(aboutpanelHandle);
}

int Callback_Info_Button_Ok(int /*panel*/, int /*control*/, int event) {
    if (event == EVENT_COMMIT) RemovePopup(0);
    return 0;
}
