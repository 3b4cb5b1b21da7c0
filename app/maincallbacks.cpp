#include "app/maincallbacks.h"

#include "app/ZAN1BSteuerung.h"
#include "app/recording.h"
#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "driver/vekzan1.h"
#include "errors/errordisplay.h"
#include "moduleops/ZAN1Com.h"
#include "moduleops/portsession.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr double kDigitalerSollwert = 1.0;
constexpr double kStellbetrieb = 3.0;

struct KanalNamen {
    const char* betriebsart;
    const char* soll;
    const char* stellgroesse;
    int sollwertFeld;
    int stellwertFeld;
    const Konfigstruktur* konfig;
};

// Reads one channel's mode and, by it, the setpoint or the manipulated value.
int KanalEintragen(int port, int adresse, const KanalNamen& k) {
    double betriebsart = 0;
    if (int code = VEKZAN1_ParameterLesen(port, adresse, k.betriebsart, &betriebsart)) return code;
    double wert = 0;
    if (betriebsart == kDigitalerSollwert) {
        if (int code = VEKZAN1_ParameterLesen(port, adresse, k.soll, &wert)) return code;
        SetCtrlVal(panelHandle, k.sollwertFeld, Umrechnen_VoltZuBenutzereinheit(wert, *k.konfig));
    }
    if (betriebsart == kStellbetrieb) {
        if (int code = VEKZAN1_ParameterLesen(port, adresse, k.stellgroesse, &wert)) return code;
        SetCtrlVal(panelHandle, k.stellwertFeld, wert);
    }
    return 0;
}

void Verbinden() {
    const int code = OpenComPort();
    FehlerZeigen(code);
    if (code != 0) {
        // OpenComPort keeps a port whose timeout could not be set; without a
        // connection no port may stay open.
        VerbindungBeenden();
        return;
    }
    VerbindungAnzeigen(true);
    if (gWarnungAngezeigt == 0) {
        MessagePopup(kWarnungTitel, kWarnungText);
        gWarnungAngezeigt = 1;
    }
    gIstwerteAbfragen = true;
    FehlerZeigen(SollwertOderStellwertEintragen());
}

}  // namespace

void VerbindungAnzeigen(bool verbunden) {
    const int dimmed = verbunden ? 0 : 1;
    for (int control :
         {PANEL_ISTWERT1, PANEL_ISTWERTEINHEIT1, PANEL_ISTWERT2, PANEL_ISTWERTEINHEIT2}) {
        SetCtrlAttribute(panelHandle, control, ATTR_DIMMED, dimmed);
    }
    SetCtrlAttribute(panelHandle, PANEL_PORT, ATTR_DIMMED, 1 - dimmed);
    SetMenuBarAttribute(panelHandle, MENUBAR_DATEI_MESSWERTE, ATTR_DIMMED, dimmed);
}

void VerbindungBeenden() {
    CloseComPort();
    VerbindungAnzeigen(false);
    SetCtrlVal(panelHandle, PANEL_VERBINDEN, 0);
    gIstwerteAbfragen = false;
    AufzeichnungAbschliessen();
}

int SollwertOderStellwertEintragen() {
    const zan1com::PortSession session;
    if (session.status() != 0) return session.status();
    const int adresse = zan1com::BusAdresse();
    int code = KanalEintragen(
        session.port(), adresse,
        {"betriebsart1", "soll1", "stellgroesse1", PANEL_SOLLWERT1, PANEL_STELLWERT1, &gKonfig1});
    if (code == 0) {
        code = KanalEintragen(session.port(), adresse,
                              {"betriebsart2", "soll2", "stellgroesse2", PANEL_SOLLWERT2,
                               PANEL_STELLWERT2, &gKonfig2});
    }
    return code;
}

int Callback_Main_Togglebutton_Verbinden(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    int gedrueckt = 0;
    GetCtrlVal(panel, control, &gedrueckt);
    if (gedrueckt) {
        Verbinden();
    } else {
        VerbindungBeenden();
    }
    return 0;
}

int Callback_Main_Button_Scann(int, int, int event) {
    if (event == EVENT_COMMIT) FehlerZeigen(ZAN1Scann());
    return 0;
}

int Callback_Main_Button_IDLesen(int, int, int event) {
    if (event == EVENT_COMMIT) FehlerZeigen(IDLesen());
    return 0;
}

int Callback_Main_ButtonLesen(int, int, int event) {
    if (event != EVENT_COMMIT) return 0;
    FehlerZeigen(ParametersatzLesen());
    SetPrecision();
    return 0;
}

int Callback_Main_Button_Schreiben(int, int, int event) {
    if (event != EVENT_COMMIT) return 0;
    const int code = ParametersatzSchreiben();
    FehlerZeigen(code);
    if (code == 0) {
        FehlerZeigen(ParametersatzLesen());
        SetPrecision();
    }
    return 0;
}

int Callback_Main_Numerics(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    int code = 0;
    switch (control) {
        case PANEL_STELLWERT1:
            code = StellwertSchreiben(1);
            break;
        case PANEL_STELLWERT2:
            code = StellwertSchreiben(2);
            break;
        case PANEL_SOLLWERT1:
            code = SollwertSchreiben(1);
            break;
        case PANEL_SOLLWERT2:
            code = SollwertSchreiben(2);
            break;
        default:
            return 0;
    }
    FehlerZeigen(code);
    SetActiveCtrl(panel, control);
    return 0;
}

int Callback_Main_Numerics_Parametereingabe(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    SetPrecision();
    double wert = 0;
    double stellmin = 0;
    double stellmax = 0;
    switch (control) {
        case TABPANEL_IANTEIL:
            GetCtrlVal(panel, control, &wert);
            if (wert == 0.0) SetCtrlVal(panel, control, kKleinsterIAnteil);
            break;
        case TABPANEL_STELLMIN:
        case TABPANEL_STELLMAX:
            GetCtrlVal(panel, TABPANEL_STELLMIN, &stellmin);
            GetCtrlVal(panel, TABPANEL_STELLMAX, &stellmax);
            // The field just entered gives way; the other keeps its value.
            if (stellmax < stellmin) {
                SetCtrlVal(panel, control, control == TABPANEL_STELLMIN ? stellmax : stellmin);
            }
            break;
        default:
            break;
    }
    return 0;
}

int Callback_Main_Ring_Betriebsart(int, int, int) {
    // A new mode reaches the module only with "Schreiben".
    return 0;
}
