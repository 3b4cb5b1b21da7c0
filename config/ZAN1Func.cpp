#include "config/ZAN1Func.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// One 4095th of the span stays visible (the module's 12-bit resolution).
constexpr double kAufloesung = 4095.0;

// "[unit" + suffix + "]", appended piece by piece (GCC 12 at -O3 warns
// wrongly of overlapping copies in a chain of string additions).
std::string Klammer(std::string_view einheit, std::string_view nachsatz) {
    std::string text = "[";
    text.append(einheit).append(nachsatz).append("]");
    return text;
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

int Kanalpraezision(double spanne) {
    const double q = std::fabs(spanne) / kAufloesung;
    // A span so small that q underflows to 0 gives infinity: the most decimals.
    const double p = std::clamp(std::ceil(-std::log10(q)), 0.0, double{kPraezisionMax});
    return static_cast<int>(std::lround(p));
}

Kanalbereich Bereich(const Konfigstruktur& konfig) {
    Kanalbereich b{};
    b.sollMin = Umrechnen_VoltZuBenutzereinheit(kSpannungMin, konfig);
    b.sollMax = Umrechnen_VoltZuBenutzereinheit(kSpannungMax, konfig);
    b.rampeMin = Umrechnen_VoltZuBenutzereinheit(0.0, konfig);
    b.rampeMax = Umrechnen_VoltZuBenutzereinheit(kAnstiegMax, konfig);
    b.praezision = Kanalpraezision(b.sollMax - b.sollMin);
    return b;
}

std::string Einheitstext(const Konfigstruktur& konfig) {
    return Klammer(Einheit(konfig), "");
}

std::string EinheitProSekundeText(const Konfigstruktur& konfig) {
    return Klammer(Einheit(konfig), "/s");
}

std::pair<double, double> Zoombereich(const Konfigstruktur& konfig1,
                                      const Konfigstruktur& konfig2) {
    const Kanalbereich b1 = Bereich(konfig1);
    const Kanalbereich b2 = Bereich(konfig2);
    const std::array enden = {b2.sollMin, b2.sollMax, b1.sollMin, b1.sollMax};
    const auto [lo, hi] = std::minmax_element(enden.begin(), enden.end());
    return {*lo, *hi};
}
