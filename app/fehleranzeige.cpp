#include "app/fehleranzeige.h"

#include <climits>

#include "errors/fehlertext.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

void FehlerZeigen(const Result& result) {
    if (result.ok()) {
        FehlerLoeschen();
    } else {
        FehlerSetzen(result);
    }
}

void FehlerSetzen(const Result& result) {
    SetCtrlVal(panelHandle, PANEL_FEHLERLED, 1);
    SetCtrlVal(panelHandle, PANEL_FEHLERSTRING, Fehlertext(result));
    // INT_MIN has no positive counterpart in an int.
    SetCtrlVal(panelHandle, PANEL_FEHLERNUMMER, result.code == INT_MIN ? INT_MAX : -result.code);
}

void FehlerLoeschen() {
    SetCtrlVal(panelHandle, PANEL_FEHLERLED, 0);
    SetCtrlVal(panelHandle, PANEL_FEHLERSTRING, "");
    SetCtrlVal(panelHandle, PANEL_FEHLERNUMMER, 0);
}
