#include "app/skalierung.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "app/kanal.h"
#include "app/programm.h"
#include "app/uebersetzung.h"
#include "config/ZAN1Func.h"
#include "driver/parametermap.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

static_assert(kPraezisionMax == kMaxPrecision, "a channel precision must be showable");

namespace {

// The scaled numbers of one channel, in volts.
struct KanalVolt {
    double anfangssollwert;
    double anstiegszeit;
    double sollwert;
    double istwert;
};

// The numbers of the scaled controls before a new scaling: the channels in
// volts under the records in force, the zoom limits as shown and in volts.
struct Vorher {
    KanalVolt kanal[2];
    double zoomMin;
    double zoomMax;
    double zoomMinVolt;
    double zoomMaxVolt;
};

double LeseWert(int panel, int control) {
    double wert = 0.0;
    GetCtrlVal(panel, control, &wert);
    return wert;
}

KanalVolt LeseKanalVolt(const Kanal& k, const Konfigstruktur& alt) {
    return {Umrechnen_BenutzereinheitZuVolt(LeseWert(k.seite, TABPANEL_ANFANGSSOLLWERT_), alt),
            Umrechnen_BenutzereinheitZuVolt(LeseWert(k.seite, TABPANEL_ANSTIEGSZEIT), alt),
            Umrechnen_BenutzereinheitZuVolt(LeseWert(panelHandle, k.sollwert), alt),
            Umrechnen_BenutzereinheitZuVolt(LeseWert(panelHandle, k.istwert), alt)};
}

Konfigstruktur LeseKonfigSeite(int seite) {
    Konfigstruktur konfig{};
    GetCtrlVal(seite, TABKONFIG_SKALMIN_VOLT, &konfig.vmin);
    GetCtrlVal(seite, TABKONFIG_SKALMAX_VOLT, &konfig.vmax);
    GetCtrlVal(seite, TABKONFIG_SKALMIN_UMGERECHNET, &konfig.einheitmin);
    GetCtrlVal(seite, TABKONFIG_SKALMAX_UMGERECHNET, &konfig.einheitmax);
    std::string einheit;
    GetCtrlVal(seite, TABKONFIG_SKAL_EINHEIT, &einheit);
    EinheitSetzen(&konfig, einheit);
    return konfig;
}

Vorher LeseVorher(const std::array<Konfigstruktur, 2>& konfig) {
    Vorher v{};
    for (const int n : {1, 2})
        v.kanal[n - 1] = LeseKanalVolt(KanalNr(n), konfig[n - 1]);
    v.zoomMin = LeseWert(panelHandle, PANEL_GRAPHZOOMMIN);
    v.zoomMax = LeseWert(panelHandle, PANEL_GRAPHZOOMMAX);
    v.zoomMinVolt = Umrechnen_BenutzereinheitZuVolt(v.zoomMin, konfig[0]);
    v.zoomMaxVolt = Umrechnen_BenutzereinheitZuVolt(v.zoomMax, konfig[0]);
    return v;
}

// Re-presents one adopted channel: ranges before the values that must fit
// them, then units, precision and the setpoint's increment.
void KanalDarstellen(const Kanal& k, const KanalVolt& v, const Konfigstruktur& konfig) {
    const Kanalbereich b = Bereich(konfig);
    BereichSetzen(k.seite, TABPANEL_ANFANGSSOLLWERT_, b.sollMin, b.sollMax);
    BereichSetzen(k.seite, TABPANEL_ANSTIEGSZEIT, b.rampeMin, b.rampeMax);
    BereichSetzen(panelHandle, k.sollwert, b.sollMin, b.sollMax);
    SetCtrlVal(k.seite, TABPANEL_ANFANGSSOLLWERT_,
               Umrechnen_VoltZuBenutzereinheit(v.anfangssollwert, konfig));
    SetCtrlVal(k.seite, TABPANEL_ANSTIEGSZEIT,
               Umrechnen_VoltZuBenutzereinheit(v.anstiegszeit, konfig));
    SetCtrlVal(panelHandle, k.sollwert, Umrechnen_VoltZuBenutzereinheit(v.sollwert, konfig));
    SetCtrlVal(panelHandle, k.istwert, Umrechnen_VoltZuBenutzereinheit(v.istwert, konfig));
    const std::string einheit = Einheitstext(konfig);
    SetCtrlVal(k.seite, TABPANEL_ANFANGSSOLLWERTEINHEI, einheit);
    SetCtrlVal(panelHandle, k.sollwertEinheit, einheit);
    SetCtrlVal(panelHandle, k.istwertEinheit, einheit);
    if (k.nummer == 1) {
        SetCtrlVal(panelHandle, PANEL_ZOOMMINEINHEIT, einheit);
        SetCtrlVal(panelHandle, PANEL_ZOOMMAXEINHEIT, einheit);
    }
    SetCtrlVal(k.seite, TABPANEL_ANSTEIGSZEITEINHEIT, EinheitProSekundeText(konfig));
    SetCtrlAttribute(k.seite, TABPANEL_ANFANGSSOLLWERT_, ATTR_PRECISION, b.praezision);
    for (const int control : {k.sollwert, k.istwert})
        SetCtrlAttribute(panelHandle, control, ATTR_PRECISION, b.praezision);
    double max = 0.0;
    double min = 0.0;
    GetCtrlAttribute(panelHandle, k.sollwert, ATTR_MAX_VALUE, &max);
    GetCtrlAttribute(panelHandle, k.sollwert, ATTR_MIN_VALUE, &min);
    SetCtrlAttribute(panelHandle, k.sollwert, ATTR_INCR_VALUE, (max - min) / 10.0);
}

// The zoom fields keep their volts under a new channel 1 scaling; their range
// covers both channels' ranges in channel 1's unit, and is set first, so that
// only a range that truly leaves them out changes them. The axis gets the
// zoom limits as they were before, in order and inside that range.
void ZoomDarstellen(const Vorher& vorher, bool kanal1Neu, const std::array<Konfigstruktur, 2>& k) {
    const auto [lo, hi] = Zoombereich(k[0], k[1]);
    BereichSetzen(panelHandle, PANEL_GRAPHZOOMMIN, lo, hi);
    BereichSetzen(panelHandle, PANEL_GRAPHZOOMMAX, lo, hi);
    double zlo = vorher.zoomMin;
    double zhi = vorher.zoomMax;
    if (kanal1Neu) {
        zlo = Umrechnen_VoltZuBenutzereinheit(vorher.zoomMinVolt, k[0]);
        zhi = Umrechnen_VoltZuBenutzereinheit(vorher.zoomMaxVolt, k[0]);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, zlo);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, zhi);
    }
    // Sorted before they meet the range: a falling mapping turns them round,
    // and the axis must not leave the range the zoom fields are held in.
    if (zhi < zlo) std::swap(zlo, zhi);
    zlo = std::clamp(zlo, lo, hi);
    zhi = std::clamp(zhi, lo, hi);
    SetAxisScalingMode(panelHandle, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, zlo, zhi);
    const std::string achse = Einsetzen(Fenster::tr("Istwert [%1]"), {std::string(Einheit(k[0]))});
    SetCtrlAttribute(panelHandle, PANEL_STRIPCHART, ATTR_YNAME, achse.c_str());
}

}  // namespace

void KonfigstrukturAufStandardwerte() {
    LaufendesProgramm().konfig = {kStandardKonfig, kStandardKonfig};
}

void KonfigZuSeite(int seite, const Konfigstruktur& konfig) {
    SetCtrlVal(seite, TABKONFIG_SKALMIN_VOLT, konfig.vmin);
    SetCtrlVal(seite, TABKONFIG_SKALMAX_VOLT, konfig.vmax);
    SetCtrlVal(seite, TABKONFIG_SKALMIN_UMGERECHNET, konfig.einheitmin);
    SetCtrlVal(seite, TABKONFIG_SKALMAX_UMGERECHNET, konfig.einheitmax);
    SetCtrlVal(seite, TABKONFIG_SKAL_EINHEIT, std::string(Einheit(konfig)));
}

void KonfigStrukturZuGui() {
    const Programm& p = LaufendesProgramm();
    for (const int n : {1, 2})
        KonfigZuSeite(KanalNr(n).konfigseite, p.konfig[n - 1]);
}

void BereichSetzen(int panel, int control, double a, double b) {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    SetCtrlAttribute(panel, control, ATTR_MIN_VALUE, -std::numeric_limits<double>::infinity());
    SetCtrlAttribute(panel, control, ATTR_MAX_VALUE, hi);
    SetCtrlAttribute(panel, control, ATTR_MIN_VALUE, lo);
}

int NeueSkalierungSetzen() {
    std::array<Konfigstruktur, 2>& konfig = LaufendesProgramm().konfig;
    const Vorher vorher = LeseVorher(konfig);
    bool neu[2] = {};
    for (const int n : {1, 2}) {
        const Konfigstruktur seite = LeseKonfigSeite(KanalNr(n).konfigseite);
        neu[n - 1] = SkalierungBrauchbar(seite);
        if (neu[n - 1]) konfig[n - 1] = seite;
    }
    for (const int n : {1, 2}) {
        if (neu[n - 1]) KanalDarstellen(KanalNr(n), vorher.kanal[n - 1], konfig[n - 1]);
    }
    ZoomDarstellen(vorher, neu[0], konfig);
    DiagrammBeschriften();
    // Channel 1's refusal is the one reported.
    if (!neu[0]) return kFehlerSkalierungRegler1;
    return neu[1] ? 0 : kFehlerSkalierungRegler2;
}

void DiagrammBeschriften() {
    const Programm& p = LaufendesProgramm();
    for (const int n : {1, 2}) {
        const std::string name = Einsetzen(Fenster::tr("Istwert %1 %2"),
                                           {std::to_string(n), Einheitstext(p.konfig[n - 1])});
        SetTraceAttribute(panelHandle, PANEL_STRIPCHART, n, ATTR_TRACE_LG_TEXT, name.c_str());
    }
}

void SetPrecision() {
    for (const int seite : {tabpanelRegler1, tabpanelRegler2}) {
        for (const int feld : {TABPANEL_PANTEIL, TABPANEL_IANTEIL, TABPANEL_DANTEIL}) {
            const double wert = LeseWert(seite, feld);
            SetCtrlAttribute(seite, feld, ATTR_PRECISION, vekzan1::ControllerShareDecimals(wert));
        }
    }
}
