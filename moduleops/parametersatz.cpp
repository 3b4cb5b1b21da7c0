// The nine controller parameters of both channels between the module and
// their records.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>

#include "driver/vekzan1.h"
#include "moduleops/ZAN1Com.h"

namespace {

struct Feld {
    const char* stamm;              // parameter name without the channel digit
    double ReglerParameter::*wert;  // nullptr: the switch, an integer in the record
};

// Transfer order on the wire, for reading and writing alike.
constexpr std::array<Feld, 9> kFelder{{
    {"P", &ReglerParameter::panteil},
    {"I", &ReglerParameter::ianteil},
    {"D", &ReglerParameter::danteil},
    {"anfangssoll", &ReglerParameter::anfangssollwert},
    {"min", &ReglerParameter::stellmin},
    {"max", &ReglerParameter::stellmax},
    {"anstiegszeit", &ReglerParameter::anstiegszeit},
    {"betriebsart", &ReglerParameter::betriebsart},
    {"modus", nullptr},
}};

// The check box of a value read from the module: rounded, and any number
// outside 0..1 taken as the nearer of the two, as the box has no other values.
int Schalterstellung(double wert) {
    return static_cast<int>(std::lround(std::clamp(wert, 0.0, 1.0)));
}

Result KanalLesen(int port, int adresse, int kanal, std::optional<ReglerParameter>* gelesen) {
    ReglerParameter r{};
    for (const Feld& feld : kFelder) {
        double wert = 0;
        const std::string name = Parametername(feld.stamm, kanal);
        if (const int code = VEKZAN1_ParameterLesen(port, adresse, name.c_str(), &wert); code != 0)
            return MitPortgrund(code);
        if (feld.wert) {
            r.*feld.wert = wert;
        } else {
            r.modusistwertnull = Schalterstellung(wert);
        }
    }
    *gelesen = r;
    return 0;
}

Result KanalSchreiben(int port, int adresse, int kanal, const ReglerParameter& r) {
    for (const Feld& feld : kFelder) {
        const std::string name = Parametername(feld.stamm, kanal);
        const double wert = feld.wert ? r.*feld.wert : r.modusistwertnull;
        const int code = VEKZAN1_ParameterSchreiben(port, adresse, name.c_str(), wert);
        if (code != 0) return MitPortgrund(code);
    }
    return 0;
}

}  // namespace

Result ParametersatzLesen(Leitung& leitung, const Ziel& ziel, const std::function<void()>& begonnen,
                          std::array<std::optional<ReglerParameter>, 2>* gelesen) {
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return session.status();
    begonnen();
    for (const int kanal : {1, 2}) {
        const std::size_t i = kanal - 1;
        Result r = KanalLesen(session.port(), ziel.adresse, kanal, &(*gelesen)[i]);
        if (!r.ok()) return r;
    }
    return 0;
}

Result ParametersatzSchreiben(Leitung& leitung, const Ziel& ziel,
                              const std::array<ReglerParameter, 2>& regler,
                              const std::function<void()>& begonnen) {
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return session.status();
    begonnen();
    for (const int kanal : {1, 2}) {
        const std::size_t i = kanal - 1;
        Result r = KanalSchreiben(session.port(), ziel.adresse, kanal, regler[i]);
        if (!r.ok()) return r;
    }
    return 0;
}
