#include "config/ZAN1Func.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>

#include "app/ZAN1Steuerung.h"
#include "app/panelhandles.h"
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
    int sollwertEinheit;
    int istwertEinheit;
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
    double p = std::ceil(-std::log10(q));
    if (p < 0) p = 0;
    return static_cast<int>(p + 0.5);
}

int NeueSkalierungSetzen() {
    const Kanal kanal1{tabpanelRegler1, PANEL_SOLLWERT1, PANEL_ISTWERT1, PANEL_SOLLWERTEINHEIT1,
                       PANEL_ISTWERTEINHEIT1};
    const Kanal kanal2{tabpanelRegler2, PANEL_SOLLWERT2, PANEL_ISTWERT2, PANEL_SOLLWERTEINHEIT2,
                       PANEL_ISTWERTEINHEIT2};
    int ergebnis = 0;

    // Channel 1.
    const KanalVolt volt1 = LeseKanalVolt(kanal1, gKonfig1);
    const double zoomMin = LeseWert(panelHandle, PANEL_GRAPHZOOMMIN);
    const double zoomMax = LeseWert(panelHandle, PANEL_GRAPHZOOMMAX);
    const double zoomMinVolt = Umrechnen_BenutzereinheitZuVolt(zoomMin, gKonfig1);
    const double zoomMaxVolt = Umrechnen_BenutzereinheitZuVolt(zoomMax, gKonfig1);
    const Konfigstruktur neu1 = LeseKonfigSeite(konfigtabRegler1);
    const bool kanal1Neu = SkalierungBrauchbar(neu1);
    if (kanal1Neu) {
        gKonfig1 = neu1;
        SetzeKanalBereiche(kanal1, gKonfig1);
        SchreibeKanalWerte(kanal1, volt1, gKonfig1);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN,
                   Umrechnen_VoltZuBenutzereinheit(zoomMinVolt, gKonfig1));
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX,
                   Umrechnen_VoltZuBenutzereinheit(zoomMaxVolt, gKonfig1));
        SchreibeEinheiten(kanal1.tab,
                          {PANEL_SOLLWERTEINHEIT1, PANEL_ISTWERTEINHEIT1, PANEL_ZOOMMINEINHEIT,
                           PANEL_ZOOMMAXEINHEIT},
                          gKonfig1);
        SetzeKanalPraezision(kanal1, gKonfig1);
        SetzeSollwertSchrittweite(kanal1);
    } else {
        ergebnis = kFehlerSkalierungRegler1;
    }

    // Channel 2; the zoom limits are not read again.
    const KanalVolt volt2 = LeseKanalVolt(kanal2, gKonfig2);
    const Konfigstruktur neu2 = LeseKonfigSeite(konfigtabRegler2);
    const bool kanal2Neu = SkalierungBrauchbar(neu2);
    if (kanal2Neu) {
        gKonfig2 = neu2;
        SetzeKanalBereiche(kanal2, gKonfig2);
    } else if (ergebnis == 0) {
        ergebnis = kFehlerSkalierungRegler2;
    }

    // The zoom covers both channels' ranges, in channel 1's unit; a falling
    // mapping has its 0 V end on top, so the ends are sorted first.
    const std::array enden = {Umrechnen_VoltZuBenutzereinheit(kSpannungMin, gKonfig2),
                              Umrechnen_VoltZuBenutzereinheit(kSpannungMax, gKonfig2),
                              Umrechnen_VoltZuBenutzereinheit(kSpannungMin, gKonfig1),
                              Umrechnen_VoltZuBenutzereinheit(kSpannungMax, gKonfig1)};
    const auto [loIt, hiIt] = std::minmax_element(enden.begin(), enden.end());
    const double lo = *loIt;
    const double hi = *hiIt;
    BereichSetzen(panelHandle, PANEL_GRAPHZOOMMIN, lo, hi);
    BereichSetzen(panelHandle, PANEL_GRAPHZOOMMAX, lo, hi);

    if (kanal2Neu) {
        SchreibeKanalWerte(kanal2, volt2, gKonfig2);
        SchreibeEinheiten(kanal2.tab, {PANEL_SOLLWERTEINHEIT2, PANEL_ISTWERTEINHEIT2}, gKonfig2);
    }

    // Strip chart: the zoom limits as they were before this call, inside the union.
    double zlo = kanal1Neu ? Umrechnen_VoltZuBenutzereinheit(zoomMinVolt, gKonfig1) : zoomMin;
    double zhi = kanal1Neu ? Umrechnen_VoltZuBenutzereinheit(zoomMaxVolt, gKonfig1) : zoomMax;
    if (zlo < lo) zlo = lo;
    if (zhi > hi) zhi = hi;
    if (zhi < zlo) std::swap(zlo, zhi);
    SetAxisScalingMode(panelHandle, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, zlo, zhi);
    const std::string achse = "Istwert [" + std::string(Einheit(gKonfig1)) + "]";
    SetCtrlAttribute(panelHandle, PANEL_STRIPCHART, ATTR_YNAME, achse.c_str());

    if (kanal2Neu) {
        SetzeKanalPraezision(kanal2, gKonfig2);
        SetzeSollwertSchrittweite(kanal2);
    }
    return ergebnis;
}

void SetPrecision() {
    struct Stufe {
        double ab;   // lowest magnitude of the row
        double bis;  // first magnitude above it; infinity: no upper end
        int stellen;
    };
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr std::array<Stufe, 5> kStufen = {{
        {0.0, 10.0, 4},
        {10.0, 100.0, 3},
        {100.0, 1000.0, 2},
        {1000.0, 10000.0, 1},
        {10000.0, kInf, 0},
    }};
    constexpr std::array kFelder = {TABPANEL_PANTEIL, TABPANEL_IANTEIL, TABPANEL_DANTEIL};
    for (const int seite : {tabpanelRegler1, tabpanelRegler2}) {
        std::array<double, kFelder.size()> werte{};
        for (std::size_t i = 0; i < kFelder.size(); ++i) {
            GetCtrlVal(seite, kFelder[i], &werte[i]);
        }
        for (std::size_t i = 0; i < kFelder.size(); ++i) {
            const double v = std::fabs(werte[i]);
            SetCtrlAttribute(seite, kFelder[i], ATTR_PRECISION, 4);
            for (const Stufe& stufe : kStufen) {
                if (v >= stufe.ab && (v < stufe.bis || stufe.bis == kInf)) {
                    SetCtrlAttribute(seite, kFelder[i], ATTR_PRECISION, stufe.stellen);
                }
            }
        }
    }
}
