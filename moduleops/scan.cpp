// Bus scan and identification read.
#include <array>
#include <string>

#include "driver/vekzan1.h"
#include "moduleops/ZAN1Com.h"

namespace {

constexpr int kErsteAdresse = 1;
constexpr int kLetzteAdresse = 8;
// The driver needs at least 27 characters.
using IdPuffer = std::array<char, 32>;

}  // namespace

Result ZAN1Scann(Leitung& leitung, int port, std::stop_token stop, const ScanBeobachter& melden) {
    const PortSession session(leitung, port);
    if (!session.status().ok()) return session.status();
    for (int adresse = kErsteAdresse; adresse <= kLetzteAdresse && !stop.stop_requested();
         ++adresse) {
        // Told before the probe: an empty address keeps the line busy for the timeout.
        melden({ScanMeldung::Art::Suche, adresse, {}, {}});
        IdPuffer id{};
        const Result result = MitPortgrund(VEKZAN1_IDLesen(session.port(), adresse, id.data()));
        melden({ScanMeldung::Art::Ergebnis, adresse, result, result.ok() ? id.data() : ""});
    }
    return 0;
}

Identifikation IDLesen(Leitung& leitung, const Ziel& ziel) {
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return {session.status(), false, {}};
    IdPuffer id{};
    const Result result = MitPortgrund(VEKZAN1_IDLesen(session.port(), ziel.adresse, id.data()));
    return {result, true, result.ok() ? id.data() : ""};
}
