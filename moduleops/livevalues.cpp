// Setpoint and manipulated-value writes and the actual-value read of both channels.
#include "config/ZAN1Func.h"
#include "driver/vekzan1.h"
#include "moduleops/portsession.h"

namespace {

struct Kanal {
    int sollwert;
    int stellwert;
    const char* soll;
    const char* stellgroesse;
    const Konfigstruktur* konfig;
};

// nullptr for a channel number other than 1 or 2.
const Kanal* FindeKanal(int kanal) {
    static const Kanal kKanaele[] = {
        {PANEL_SOLLWERT1, PANEL_STELLWERT1, "soll1", "stellgroesse1", &gKonfig1},
        {PANEL_SOLLWERT2, PANEL_STELLWERT2, "soll2", "stellgroesse2", &gKonfig2},
    };
    return kanal == 1 || kanal == 2 ? &kKanaele[kanal - 1] : nullptr;
}

double Wert(int control) {
    double value = 0;
    GetCtrlVal(panelHandle, control, &value);
    return value;
}

}  // namespace

int SollwertSchreiben(int kanal) {
    const zan1com::PortSession session;
    if (session.status() != 0) return session.status();
    const int address = zan1com::BusAdresse();
    const Kanal* k = FindeKanal(kanal);
    if (!k) return 0;
    const double volt = Umrechnen_BenutzereinheitZuVolt(Wert(k->sollwert), *k->konfig);
    return VEKZAN1_ParameterSchreiben(session.port(), address, k->soll, volt);
}

int StellwertSchreiben(int kanal) {
    const zan1com::PortSession session;
    if (session.status() != 0) return session.status();
    const int address = zan1com::BusAdresse();
    const Kanal* k = FindeKanal(kanal);
    if (!k) return 0;
    return VEKZAN1_ParameterSchreiben(session.port(), address, k->stellgroesse, Wert(k->stellwert));
}

int IstwerteLesen(double* istwert1, double* istwert2) {
    const zan1com::PortSession session;
    if (session.status() != 0) return session.status();
    const int address = zan1com::BusAdresse();
    // The driver leaves its output alone on failure, so a failed first read
    // changes neither variable and a failed second one keeps channel 1's value.
    if (const int result = VEKZAN1_ParameterLesen(session.port(), address, "istwert1", istwert1);
        result != 0) {
        return result;
    }
    return VEKZAN1_ParameterLesen(session.port(), address, "istwert2", istwert2);
}
