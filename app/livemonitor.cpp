#include "app/livemonitor.h"

#include <utility>

#include "app/fehleranzeige.h"
#include "app/linetracemenu.h"
#include "app/maincallbacks.h"
#include "app/messwertaufzeichnung.h"
#include "app/programm.h"
#include "config/ZAN1Func.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/timestamp.h"
#include "platform/userint/userint.h"

namespace {

void AchseSetzen(double min, double max) {
    SetAxisScalingMode(panelHandle, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, min, max);
}

struct Abfrage {
    int verbindung;  // the connection it was asked for
    platform::Timestamp zeit;
    Result result;
    double volt1 = 0;
    double volt2 = 0;
};

void IstwerteZeigen(const Abfrage& a) {
    Programm& p = LaufendesProgramm();
    // A poll of a connection that has ended meanwhile shows nothing.
    if (!p.istwerteAbfragen || a.verbindung != p.verbindung) return;
    if (!a.result.ok()) {
        FehlerZeigen(a.result);
        VerbindungBeenden();
        return;
    }
    const double wert1 = Umrechnen_VoltZuBenutzereinheit(a.volt1, p.konfig[0]);
    SetCtrlVal(panelHandle, PANEL_ISTWERT1, wert1);
    const double wert2 = Umrechnen_VoltZuBenutzereinheit(a.volt2, p.konfig[1]);
    SetCtrlVal(panelHandle, PANEL_ISTWERT2, wert2);
    IstwertePlotten(wert1, wert2);
    MesswerteAufzeichnen(a.volt1, a.volt2, a.zeit);
}

}  // namespace

void IstwertePlotten(double istwert1, double istwert2) {
    const double werte[2] = {istwert1, istwert2};
    PlotStripChart(panelHandle, PANEL_STRIPCHART, werte, 2);
}

int Callback_Main_Timer(int, int, int event) {
    if (event != EVENT_TIMER_TICK) return 0;
    LineTracePruefen();
    Programm& p = LaufendesProgramm();
    if (!p.istwerteAbfragen || !p.modul.frei()) return 0;
    p.modul.ausfuehren(
        [ziel = AktuellesZiel(), verbindung = p.verbindung](Leitung& leitung) -> Modul::Anzeige {
            Abfrage a{verbindung, platform::Timestamp::now(), 0};
            a.result = IstwerteLesen(leitung, ziel, &a.volt1, &a.volt2);
            return [a] { IstwerteZeigen(a); };
        });
    return 0;
}

int Callback_Main_MultipleControls_Graphzoom(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    const Konfigstruktur& konfig1 = LaufendesProgramm().konfig[0];
    double min = 0;
    double max = 0;
    if (control == PANEL_GRAPHZOOMZURUECK) {
        min = Umrechnen_VoltZuBenutzereinheit(kZoomVoltMin, konfig1);
        max = Umrechnen_VoltZuBenutzereinheit(kZoomVoltMax, konfig1);
        SetCtrlVal(panel, PANEL_GRAPHZOOMMIN, min);
        SetCtrlVal(panel, PANEL_GRAPHZOOMMAX, max);
    } else {
        SetActiveCtrl(panel, control);
        GetCtrlVal(panel, PANEL_GRAPHZOOMMIN, &min);
        GetCtrlVal(panel, PANEL_GRAPHZOOMMAX, &max);
    }
    // Only the axis gets the sorted limits (a falling scaling included); the
    // fields keep what was entered.
    if (max < min) std::swap(min, max);
    AchseSetzen(min, max);
    return 0;
}
