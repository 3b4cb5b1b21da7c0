#include "errors/errordisplay.h"

#include <climits>

#include "errors/fehlertext.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

void FehlerZeigen(int code) {
    if (code == 0) {
        FehlerLoeschen();
    } else {
        FehlerSetzen(code);
    }
}

void FehlerSetzen(int code) {
    SetCtrlVal(panelHandle, PANEL_FEHLERLED, 1);
    SetCtrlVal(panelHandle, PANEL_FEHLERSTRING, Fehlertext(code));
    // INT_MIN has no positive counterpart in an int.
    SetCtrlVal(panelHandle, PANEL_FEHLERNUMMER, code == INT_MIN ? INT_MAX : -code);
}

void FehlerLoeschen() {
    SetCtrlVal(panelHandle, PANEL_FEHLERLED, 0);
    SetCtrlVal(panelHandle, PANEL_FEHLERSTRING, "");
    SetCtrlVal(panelHandle, PANEL_FEHLERNUMMER, 0);
}
