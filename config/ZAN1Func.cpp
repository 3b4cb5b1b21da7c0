#include "config/ZAN1Func.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "driver/parametermap.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr double kSpannungMin = 0.0;
constexpr double kSpannungMax = 10.0;
constexpr double kAnstiegMax = 1000.0;  // volts per second
// One 4095th of the span stays visible (the module's 12-bit resolution).
constexpr double kAufloesung = 4095.0;

// The controls of one controller channel outside the configuration page.
struct Kanal {
    int tab;
    int sollwert;
    int istwert;
};

// The scaled numbers of one channel, in volts.
struct KanalVolt {
    double anfangssollwert;
    double anstiegszeit;
    double sollwert;
    double istwert;
};

double LeseWert(int panel, int control) {
    double wert = 0.0;
    GetCtrlVal(panel, control, &wert);
    return wert;
}

KanalVolt LeseKanalVolt(const Kanal& k, const Konfigstruktur& alt) {
    return {Umrechnen_BenutzereinheitZuVolt(LeseWert(k.tab, TABPANEL_ANFANGSSOLLWERT_), alt),
            Umrechnen_BenutzereinheitZuVolt(LeseWert(k.tab, TABPANEL_ANSTIEGSZEIT), alt),
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

void SetzeKanalBereiche(const Kanal& k, const Konfigstruktur& neu) {
    const double lo = Umrechnen_VoltZuBenutzereinheit(kSpannungMin, neu);
    const double hi = Umrechnen_VoltZuBenutzereinheit(kSpannungMax, neu);
    BereichSetzen(k.tab, TABPANEL_ANFANGSSOLLWERT_, lo, hi);
    BereichSetzen(k.tab, TABPANEL_ANSTIEGSZEIT, Umrechnen_VoltZuBenutzereinheit(0.0, neu),
                  Umrechnen_VoltZuBenutzereinheit(kAnstiegMax, neu));
    BereichSetzen(panelHandle, k.sollwert, lo, hi);
}

void SchreibeKanalWerte(const Kanal& k, const KanalVolt& v, const Konfigstruktur& neu) {
    SetCtrlVal(k.tab, TABPANEL_ANFANGSSOLLWERT_,
               Umrechnen_VoltZuBenutzereinheit(v.anfangssollwert, neu));
    SetCtrlVal(k.tab, TABPANEL_ANSTIEGSZEIT, Umrechnen_VoltZuBenutzereinheit(v.anstiegszeit, neu));
    SetCtrlVal(panelHandle, k.sollwert, Umrechnen_VoltZuBenutzereinheit(v.sollwert, neu));
    SetCtrlVal(panelHandle, k.istwert, Umrechnen_VoltZuBenutzereinheit(v.istwert, neu));
}

// "[unit]" on the page's setpoint-at-power-on label and on the given main-panel
// labels, then "[unit/s]" on the ramp label.
void SchreibeEinheiten(int tab, std::initializer_list<int> hauptfelder, const Konfigstruktur& neu) {
    const std::string einheit(Einheit(neu));
    const std::string klammer = "[" + einheit + "]";
    SetCtrlVal(tab, TABPANEL_ANFANGSSOLLWERTEINHEI, klammer);
    for (const int feld : hauptfelder)
        SetCtrlVal(panelHandle, feld, klammer);
    SetCtrlVal(tab, TABPANEL_ANSTEIGSZEITEINHEIT, "[" + einheit + "/s]");
}

void SetzeKanalPraezision(const Kanal& k, const Konfigstruktur& neu) {
    const int praezision = Kanalpraezision(Umrechnen_VoltZuBenutzereinheit(kSpannungMax, neu) -
                                           Umrechnen_VoltZuBenutzereinheit(kSpannungMin, neu));
    SetCtrlAttribute(k.tab, TABPANEL_ANFANGSSOLLWERT_, ATTR_PRECISION, praezision);
    SetCtrlAttribute(panelHandle, k.sollwert, ATTR_PRECISION, praezision);
    SetCtrlAttribute(panelHandle, k.istwert, ATTR_PRECISION, praezision);
}

void SetzeSollwertSchrittweite(const Kanal& k) {
    double max = 0.0;
    double min = 0.0;
    GetCtrlAttribute(panelHandle, k.sollwert, ATTR_MAX_VALUE, &max);
    GetCtrlAttribute(panelHandle, k.sollwert, ATTR_MIN_VALUE, &min);
    SetCtrlAttribute(panelHandle, k.sollwert, ATTR_INCR_VALUE, (max - min) / 10.0);
}

// The numbers of the scaled controls before a new scaling: the channels in
// volts under the records in force, the zoom limits as shown and in volts.
struct Vorher {
    KanalVolt kanal1;
    KanalVolt kanal2;
    double zoomMin;
    double zoomMax;
    double zoomMinVolt;
    double zoomMaxVolt;
};

struct Uebernahme {
    bool kanal1;
    bool kanal2;
    int ergebnis;
};

Kanal Kanal1() {
    return {tabpanelRegler1, PANEL_SOLLWERT1, PANEL_ISTWERT1};
}

Kanal Kanal2() {
    return {tabpanelRegler2, PANEL_SOLLWERT2, PANEL_ISTWERT2};
}

Vorher LeseVorher() {
    Vorher v{};
    v.kanal1 = LeseKanalVolt(Kanal1(), gKonfig1);
    v.kanal2 = LeseKanalVolt(Kanal2(), gKonfig2);
    v.zoomMin = LeseWert(panelHandle, PANEL_GRAPHZOOMMIN);
    v.zoomMax = LeseWert(panelHandle, PANEL_GRAPHZOOMMAX);
    v.zoomMinVolt = Umrechnen_BenutzereinheitZuVolt(v.zoomMin, gKonfig1);
    v.zoomMaxVolt = Umrechnen_BenutzereinheitZuVolt(v.zoomMax, gKonfig1);
    return v;
}

// Takes each usable configuration page into its record; a refused page keeps
// its channel's record, and channel 1's refusal is the one reported.
Uebernahme SeitenUebernehmen() {
    const Konfigstruktur neu1 = LeseKonfigSeite(konfigtabRegler1);
    const Konfigstruktur neu2 = LeseKonfigSeite(konfigtabRegler2);
    Uebernahme u{SkalierungBrauchbar(neu1), SkalierungBrauchbar(neu2), 0};
    if (u.kanal1) gKonfig1 = neu1;
    if (u.kanal2) gKonfig2 = neu2;
    if (!u.kanal2) u.ergebnis = kFehlerSkalierungRegler2;
    if (!u.kanal1) u.ergebnis = kFehlerSkalierungRegler1;
    return u;
}

void KanalDarstellen(const Kanal& k, const KanalVolt& volt, const Konfigstruktur& konfig,
                     std::initializer_list<int> einheitFelder) {
    SetzeKanalBereiche(k, konfig);
    SchreibeKanalWerte(k, volt, konfig);
    SchreibeEinheiten(k.tab, einheitFelder, konfig);
    SetzeKanalPraezision(k, konfig);
    SetzeSollwertSchrittweite(k);
}

// The zoom fields keep their volts under a new channel 1 scaling; their range
// covers both channels' ranges in channel 1's unit (a falling mapping has its
// 0 V end on top, so the ends are sorted). The axis gets the zoom limits as
// they were before, in order and inside that range.
void ZoomDarstellen(const Vorher& vorher, bool kanal1Neu) {
    double zlo = vorher.zoomMin;
    double zhi = vorher.zoomMax;
    if (kanal1Neu) {
        zlo = Umrechnen_VoltZuBenutzereinheit(vorher.zoomMinVolt, gKonfig1);
        zhi = Umrechnen_VoltZuBenutzereinheit(vorher.zoomMaxVolt, gKonfig1);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, zlo);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, zhi);
    }
    const std::array enden = {Umrechnen_VoltZuBenutzereinheit(kSpannungMin, gKonfig2),
                              Umrechnen_VoltZuBenutzereinheit(kSpannungMax, gKonfig2),
                              Umrechnen_VoltZuBenutzereinheit(kSpannungMin, gKonfig1),
                              Umrechnen_VoltZuBenutzereinheit(kSpannungMax, gKonfig1)};
    const auto [loIt, hiIt] = std::minmax_element(enden.begin(), enden.end());
    const double lo = *loIt;
    const double hi = *hiIt;
    BereichSetzen(panelHandle, PANEL_GRAPHZOOMMIN, lo, hi);
    BereichSetzen(panelHandle, PANEL_GRAPHZOOMMAX, lo, hi);
    // Sorted before they meet the range: a falling mapping turns them round,
    // and the axis must not leave the range the zoom fields are held in.
    if (zhi < zlo) std::swap(zlo, zhi);
    zlo = std::clamp(zlo, lo, hi);
    zhi = std::clamp(zhi, lo, hi);
    SetAxisScalingMode(panelHandle, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, zlo, zhi);
    const std::string achse = "Istwert [" + std::string(Einheit(gKonfig1)) + "]";
    SetCtrlAttribute(panelHandle, PANEL_STRIPCHART, ATTR_YNAME, achse.c_str());
}

// Re-presents every control of an adopted channel, then the zoom and the chart.
void SkalierungDarstellen(const Vorher& vorher, const Uebernahme& neu) {
    if (neu.kanal1) {
        KanalDarstellen(Kanal1(), vorher.kanal1, gKonfig1,
                        {PANEL_SOLLWERTEINHEIT1, PANEL_ISTWERTEINHEIT1, PANEL_ZOOMMINEINHEIT,
                         PANEL_ZOOMMAXEINHEIT});
    }
    if (neu.kanal2) {
        KanalDarstellen(Kanal2(), vorher.kanal2, gKonfig2,
                        {PANEL_SOLLWERTEINHEIT2, PANEL_ISTWERTEINHEIT2});
    }
    ZoomDarstellen(vorher, neu.kanal1);
}

}  // namespace

double Umrechnen_VoltZuBenutzereinheit(double volt, const Konfigstruktur& konfig) {
    const double faktor = (konfig.einheitmax - konfig.einheitmin) / (konfig.vmax - konfig.vmin);
    return (volt - konfig.vmin) * faktor + konfig.einheitmin;
}

double Umrechnen_BenutzereinheitZuVolt(double wert, const Konfigstruktur& konfig) {
    const double faktor = (konfig.vmax - konfig.vmin) / (konfig.einheitmax - konfig.einheitmin);
    return (wert - konfig.einheitmin) * faktor + konfig.vmin;
}

bool SkalierungBrauchbar(const Konfigstruktur& konfig) {
    const std::array felder = {konfig.vmin, konfig.vmax, konfig.einheitmin, konfig.einheitmax};
    if (!std::all_of(felder.begin(), felder.end(), [](double x) { return std::isfinite(x); })) {
        return false;
    }
    if (konfig.vmin == konfig.vmax || konfig.einheitmin == konfig.einheitmax) return false;
    // Huge or tiny fields can still overflow a quotient or collapse the span.
    const double lo = Umrechnen_VoltZuBenutzereinheit(kSpannungMin, konfig);
    const double hi = Umrechnen_VoltZuBenutzereinheit(kSpannungMax, konfig);
    const double rampe = Umrechnen_VoltZuBenutzereinheit(kAnstiegMax, konfig);
    const double zurueck = (konfig.vmax - konfig.vmin) / (konfig.einheitmax - konfig.einheitmin);
    return std::isfinite(lo) && std::isfinite(hi) && std::isfinite(rampe) &&
           std::isfinite(hi - lo) && hi != lo && std::isfinite(zurueck) && zurueck != 0.0;
}

void BereichSetzen(int panel, int control, double a, double b) {
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    SetCtrlAttribute(panel, control, ATTR_MIN_VALUE, -std::numeric_limits<double>::infinity());
    SetCtrlAttribute(panel, control, ATTR_MAX_VALUE, hi);
    SetCtrlAttribute(panel, control, ATTR_MIN_VALUE, lo);
}

int Kanalpraezision(double spanne) {
    const double q = std::fabs(spanne) / kAufloesung;
    // A span so small that q underflows to 0 gives infinity: the most decimals.
    const double p = std::clamp(std::ceil(-std::log10(q)), 0.0, double{kMaxPrecision});
    return static_cast<int>(std::lround(p));
}

int NeueSkalierungSetzen() {
    const Vorher vorher = LeseVorher();
    const Uebernahme neu = SeitenUebernehmen();
    SkalierungDarstellen(vorher, neu);
    return neu.ergebnis;
}

void SetPrecision() {
    for (const int seite : {tabpanelRegler1, tabpanelRegler2}) {
        for (const int feld : {TABPANEL_PANTEIL, TABPANEL_IANTEIL, TABPANEL_DANTEIL}) {
            const double wert = LeseWert(seite, feld);
            SetCtrlAttribute(seite, feld, ATTR_PRECISION, vekzan1::ControllerShareDecimals(wert));
        }
    }
}
