// The nine controller parameters of both channels between the module and the
// controller tab pages.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <string>

#include "config/ZAN1Func.h"
#include "driver/vekzan1.h"
#include "moduleops/portsession.h"

namespace {

enum class Umrechnung {
    Keine,
    Skaliert,  // volts on the module, the channel's user unit on the page
    Schalter,  // a real on the module, a check box (integer) on the page
};

struct Feld {
    const char* stamm;  // parameter name without the channel digit
    int control;
    Umrechnung umrechnung;
};

// Transfer order on the wire, for reading and writing alike.
constexpr std::array<Feld, 9> kFelder{{
    {"P", TABPANEL_PANTEIL, Umrechnung::Keine},
    {"I", TABPANEL_IANTEIL, Umrechnung::Keine},
    {"D", TABPANEL_DANTEIL, Umrechnung::Keine},
    {"anfangssoll", TABPANEL_ANFANGSSOLLWERT_, Umrechnung::Skaliert},
    {"min", TABPANEL_STELLMIN, Umrechnung::Keine},
    {"max", TABPANEL_STELLMAX, Umrechnung::Keine},
    {"anstiegszeit", TABPANEL_ANSTIEGSZEIT, Umrechnung::Skaliert},
    {"betriebsart", TABPANEL_BETRIEBSART, Umrechnung::Keine},
    {"modus", TABPANEL_MODUSISTWERTNULL, Umrechnung::Schalter},
}};

// Order in which a read set is put on the page: the limits before the scaled fields.
constexpr std::array<std::size_t, 9> kSeitenfolge{0, 1, 2, 4, 5, 3, 6, 7, 8};

using Werte = std::array<double, kFelder.size()>;

struct Kanal {
    char ziffer;
    int seite;
    const Konfigstruktur& konfig;
};

Kanal KanalNr(int kanal) {
    return kanal == 1 ? Kanal{'1', tabpanelRegler1, gKonfig1}
                      : Kanal{'2', tabpanelRegler2, gKonfig2};
}

std::string Name(const Feld& feld, const Kanal& kanal) {
    return std::string(feld.stamm) + kanal.ziffer;
}

// Shows a progress text in TEXT for as long as it lives; empty again on every way out.
class Statustext {
  public:
    explicit Statustext(const char* text) { SetCtrlVal(panelHandle, PANEL_TEXT, text); }
    ~Statustext() { SetCtrlVal(panelHandle, PANEL_TEXT, ""); }
    Statustext(const Statustext&) = delete;
    Statustext& operator=(const Statustext&) = delete;
};

// The check box of a value read from the module: rounded, and any number
// outside 0..1 taken as the nearer of the two, as the box has no other values.
int Schalterstellung(double wert) {
    return static_cast<int>(std::lround(std::clamp(wert, 0.0, 1.0)));
}

int KanalLesen(int port, int address, const Kanal& kanal) {
    Werte werte{};
    for (std::size_t i = 0; i < kFelder.size(); ++i) {
        const std::string name = Name(kFelder[i], kanal);
        if (const int result = VEKZAN1_ParameterLesen(port, address, name.c_str(), &werte[i]);
            result != 0) {
            return result;
        }
    }
    // Only a complete set reaches the page.
    for (const std::size_t i : kSeitenfolge) {
        const Feld& feld = kFelder[i];
        switch (feld.umrechnung) {
            case Umrechnung::Keine:
                SetCtrlVal(kanal.seite, feld.control, werte[i]);
                break;
            case Umrechnung::Skaliert:
                SetCtrlVal(kanal.seite, feld.control,
                           Umrechnen_VoltZuBenutzereinheit(werte[i], kanal.konfig));
                break;
            case Umrechnung::Schalter:
                SetCtrlVal(kanal.seite, feld.control, Schalterstellung(werte[i]));
                break;
        }
    }
    return 0;
}

double Seitenwert(const Feld& feld, const Kanal& kanal) {
    if (feld.umrechnung == Umrechnung::Schalter) {
        int on = 0;
        GetCtrlVal(kanal.seite, feld.control, &on);
        return on;
    }
    double value = 0;
    GetCtrlVal(kanal.seite, feld.control, &value);
    return feld.umrechnung == Umrechnung::Skaliert
               ? Umrechnen_BenutzereinheitZuVolt(value, kanal.konfig)
               : value;
}

int KanalSchreiben(int port, int address, const Kanal& kanal) {
    Werte werte{};
    for (std::size_t i = 0; i < kFelder.size(); ++i)
        werte[i] = Seitenwert(kFelder[i], kanal);
    for (std::size_t i = 0; i < kFelder.size(); ++i) {
        const std::string name = Name(kFelder[i], kanal);
        if (const int result = VEKZAN1_ParameterSchreiben(port, address, name.c_str(), werte[i]);
            result != 0) {
            return result;
        }
    }
    return 0;
}

using Uebertragung = int (*)(int port, int address, const Kanal& kanal);

// Channel 1, then channel 2; the first failure ends the transfer. The status
// text is declared after the session, so it is cleared before the port closes.
int BeideKanaele(const char* status, Uebertragung uebertragung) {
    const zan1com::PortSession session;
    if (session.status() != 0) return session.status();
    const int address = zan1com::BusAdresse();
    const Statustext text(status);
    for (const int kanal : {1, 2}) {
        if (const int result = uebertragung(session.port(), address, KanalNr(kanal)); result != 0) {
            return result;
        }
    }
    return 0;
}

}  // namespace

int ParametersatzLesen() {
    return BeideKanaele("lese...", KanalLesen);
}

int ParametersatzSchreiben() {
    return BeideKanaele("schreibe...", KanalSchreiben);
}
