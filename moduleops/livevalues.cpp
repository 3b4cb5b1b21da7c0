// Setpoint and manipulated-value writes, the actual-value read of both
// channels, and what each channel works with.
#include <string>

#include "driver/vekzan1.h"
#include "moduleops/ZAN1Com.h"

namespace {

constexpr double kDigitalerSollwert = 1.0;
constexpr double kStellbetrieb = 3.0;

bool GueltigerKanal(int kanal) {
    return kanal == 1 || kanal == 2;
}

Result Lesen(int port, int adresse, const std::string& name, double* wert) {
    return MitPortgrund(VEKZAN1_ParameterLesen(port, adresse, name.c_str(), wert));
}

Result KanalArbeitswert(int port, int adresse, int kanal, Arbeitswert* wert) {
    double betriebsart = 0;
    if (Result r = Lesen(port, adresse, Parametername("betriebsart", kanal), &betriebsart); !r.ok())
        return r;
    double gelesen = 0;
    if (betriebsart == kDigitalerSollwert) {
        if (Result r = Lesen(port, adresse, Parametername("soll", kanal), &gelesen); !r.ok())
            return r;
        wert->sollwert = gelesen;
    }
    if (betriebsart == kStellbetrieb) {
        if (Result r = Lesen(port, adresse, Parametername("stellgroesse", kanal), &gelesen);
            !r.ok())
            return r;
        wert->stellwert = gelesen;
    }
    return 0;
}

Result KanalwertSchreiben(Leitung& leitung, const Ziel& ziel, const char* stamm, int kanal,
                          double volt) {
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return session.status();
    if (!GueltigerKanal(kanal)) return 0;
    return MitPortgrund(VEKZAN1_ParameterSchreiben(session.port(), ziel.adresse,
                                                   Parametername(stamm, kanal).c_str(), volt));
}

}  // namespace

std::string Parametername(const char* stamm, int kanal) {
    return stamm + std::to_string(kanal);
}

Result SollwertSchreiben(Leitung& leitung, const Ziel& ziel, int kanal, double volt) {
    return KanalwertSchreiben(leitung, ziel, "soll", kanal, volt);
}

Result StellwertSchreiben(Leitung& leitung, const Ziel& ziel, int kanal, double volt) {
    return KanalwertSchreiben(leitung, ziel, "stellgroesse", kanal, volt);
}

Result IstwerteLesen(Leitung& leitung, const Ziel& ziel, double* volt1, double* volt2) {
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return session.status();
    // The driver leaves its output alone on failure, so a failed first read
    // changes neither variable and a failed second one keeps channel 1's value.
    if (Result r = Lesen(session.port(), ziel.adresse, "istwert1", volt1); !r.ok()) return r;
    return Lesen(session.port(), ziel.adresse, "istwert2", volt2);
}

Result ArbeitswerteLesen(Leitung& leitung, const Ziel& ziel, std::array<Arbeitswert, 2>* werte) {
    const PortSession session(leitung, ziel.port);
    if (!session.status().ok()) return session.status();
    for (const int kanal : {1, 2}) {
        Result r = KanalArbeitswert(session.port(), ziel.adresse, kanal, &(*werte)[kanal - 1]);
        if (!r.ok()) return r;
    }
    return 0;
}
