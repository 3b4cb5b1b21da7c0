#include "app/livemonitor.h"

#include <utility>

#include "app/ZAN1BSteuerung.h"
#include "app/maincallbacks.h"
#include "app/recording.h"
#include "app/verkehrcallbacks.h"
#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "errors/errordisplay.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

void AchseSetzen(double min, double max) {
    SetAxisScalingMode(panelHandle, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, min, max);
}

}  // namespace

void IstwertePlotten(double istwert1, double istwert2) {
    const double werte[2] = {istwert1, istwert2};
    PlotStripChart(panelHandle, PANEL_STRIPCHART, werte, 2);
}

int Callback_Main_Timer(int, int, int event) {
    if (event == EVENT_TIMER_TICK) VerkehrsprotokollPruefen();
    if (event != EVENT_TIMER_TICK || !gIstwerteAbfragen) return 0;
    double volt1 = 0;
    double volt2 = 0;
    if (const int code = IstwerteLesen(&volt1, &volt2); code != 0) {
        FehlerZeigen(code);
        VerbindungBeenden();
        return 0;
    }
    const double wert1 = Umrechnen_VoltZuBenutzereinheit(volt1, gKonfig1);
    SetCtrlVal(panelHandle, PANEL_ISTWERT1, wert1);
    const double wert2 = Umrechnen_VoltZuBenutzereinheit(volt2, gKonfig2);
    SetCtrlVal(panelHandle, PANEL_ISTWERT2, wert2);
    IstwertePlotten(wert1, wert2);
    MesswerteAufzeichnen(volt1, volt2);
    return 0;
}

int Callback_Main_MultipleControls_Graphzoom(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    double min = 0;
    double max = 0;
    if (control == PANEL_GRAPHZOOMZURUECK) {
        min = Umrechnen_VoltZuBenutzereinheit(kZoomVoltMin, gKonfig1);
        max = Umrechnen_VoltZuBenutzereinheit(kZoomVoltMax, gKonfig1);
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
