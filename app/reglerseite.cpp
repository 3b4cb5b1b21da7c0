#include "app/reglerseite.h"

#include "panel/ZAN1Steuerung.h"
#include "platform/userint/userint.h"

ReglerParameter LeseRegler(int seite) {
    ReglerParameter r{};
    GetCtrlVal(seite, TABPANEL_PANTEIL, &r.panteil);
    GetCtrlVal(seite, TABPANEL_IANTEIL, &r.ianteil);
    GetCtrlVal(seite, TABPANEL_DANTEIL, &r.danteil);
    GetCtrlVal(seite, TABPANEL_STELLMIN, &r.stellmin);
    GetCtrlVal(seite, TABPANEL_STELLMAX, &r.stellmax);
    GetCtrlVal(seite, TABPANEL_ANFANGSSOLLWERT_, &r.anfangssollwert);
    GetCtrlVal(seite, TABPANEL_ANSTIEGSZEIT, &r.anstiegszeit);
    GetCtrlVal(seite, TABPANEL_BETRIEBSART, &r.betriebsart);
    int modus = 0;
    GetCtrlVal(seite, TABPANEL_MODUSISTWERTNULL, &modus);
    r.modusistwertnull = modus;
    return r;
}

void SchreibeRegler(int seite, const ReglerParameter& r) {
    SetCtrlVal(seite, TABPANEL_PANTEIL, r.panteil);
    SetCtrlVal(seite, TABPANEL_IANTEIL, r.ianteil);
    SetCtrlVal(seite, TABPANEL_DANTEIL, r.danteil);
    SetCtrlVal(seite, TABPANEL_STELLMIN, r.stellmin);
    SetCtrlVal(seite, TABPANEL_STELLMAX, r.stellmax);
    SetCtrlVal(seite, TABPANEL_ANFANGSSOLLWERT_, r.anfangssollwert);
    SetCtrlVal(seite, TABPANEL_ANSTIEGSZEIT, r.anstiegszeit);
    SetCtrlVal(seite, TABPANEL_BETRIEBSART, r.betriebsart);
    SetCtrlVal(seite, TABPANEL_MODUSISTWERTNULL, static_cast<int>(r.modusistwertnull));
}
