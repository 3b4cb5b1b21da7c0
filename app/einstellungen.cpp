#include "app/einstellungen.h"

#include "app/kanal.h"
#include "app/programm.h"
#include "app/skalierung.h"
#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

void Setzen(int control, const std::optional<int>& wert) {
    if (wert) SetCtrlVal(panelHandle, control, *wert);
}

void Setzen(int control, const std::optional<double>& wert) {
    if (wert) SetCtrlVal(panelHandle, control, *wert);
}

int Ring(int control) {
    int wert = 0;
    GetCtrlVal(panelHandle, control, &wert);
    return wert;
}

double Volt(int control, const Konfigstruktur& konfig) {
    double wert = 0.0;
    GetCtrlVal(panelHandle, control, &wert);
    return Umrechnen_BenutzereinheitZuVolt(wert, konfig);
}

}  // namespace

int LoadIni() {
    KonfigstrukturAufStandardwerte();
    Einstellungen e;
    if (const int code = EinstellungenLesen(kIniDateiname, &e); code != 0) return code;
    Setzen(PANEL_PORT, e.comport);
    Setzen(PANEL_ADRESSE, e.adresse);
    Setzen(PANEL_GRAPHZOOMMIN, e.zoomMinVolt);
    Setzen(PANEL_GRAPHZOOMMAX, e.zoomMaxVolt);
    KonfigZuSeite(KanalNr(1).konfigseite, e.konfig1);
    KonfigZuSeite(KanalNr(2).konfigseite, e.konfig2);
    // The records are still the identity, so the numbers in the controls are
    // taken as volts when the file's scaling is adopted.
    NeueSkalierungSetzen();
    return 0;
}

int WriteIni() {
    const Programm& p = LaufendesProgramm();
    Einstellungen e;
    e.adresse = Ring(PANEL_ADRESSE);
    e.comport = Ring(PANEL_PORT);
    e.konfig1 = p.konfig[0];
    e.konfig2 = p.konfig[1];
    e.zoomMinVolt = Volt(PANEL_GRAPHZOOMMIN, p.konfig[0]);
    e.zoomMaxVolt = Volt(PANEL_GRAPHZOOMMAX, p.konfig[0]);
    return EinstellungenSchreiben(kIniDateiname, e);
}
