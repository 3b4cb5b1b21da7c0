#include "app/maincallbacks.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "app/fehleranzeige.h"
#include "app/kanal.h"
#include "app/messwertaufzeichnung.h"
#include "app/programm.h"
#include "app/reglerseite.h"
#include "app/skalierung.h"
#include "app/uebersetzung.h"
#include "config/ZAN1Func.h"
#include "moduleops/ZAN1Com.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"
#include "platform/userint/uithread.h"
#include "platform/userint/userint.h"

namespace {

using Anzeige = Modul::Anzeige;

// The controls that start a module operation.
constexpr std::array kModulBedienung = {PANEL_VERBINDEN, PANEL_SCANN,      PANEL_IDLESEN,
                                        PANEL_LESEN,     PANEL_SCHREIBEN,  PANEL_SOLLWERT1,
                                        PANEL_SOLLWERT2, PANEL_STELLWERT1, PANEL_STELLWERT2};

// While an operator's operation runs, the controls that would start another
// one are dimmed; "Scann" stays operable during a scan, to stop it.
void Beschaeftigt(bool ja) {
    Programm& p = LaufendesProgramm();
    p.beschaeftigt = ja;
    for (const int control : kModulBedienung) {
        const bool stoppbar = control == PANEL_SCANN && p.scan;
        SetCtrlAttribute(panelHandle, control, ATTR_DIMMED, ja && !stoppbar ? 1 : 0);
    }
}

int Wert(int control) {
    int wert = 0;
    GetCtrlVal(panelHandle, control, &wert);
    return wert;
}

// From the module thread: the status line shows that an operation got its
// port and began.
void StatusMelden(std::string status) {
    userint::PostToUiThread(
        [status = std::move(status)] { SetCtrlVal(panelHandle, PANEL_TEXT, status); });
}

void LedZeigen(const ScanMeldung& m) {
    const int led = PANEL_LED1 + m.adresse - 1;
    if (!m.result.ok()) {
        SetCtrlVal(panelHandle, led, 0);
        return;
    }
    const bool unserModul = m.id.starts_with(kModulPraefix);
    SetCtrlAttribute(panelHandle, led, ATTR_ON_COLOR, unserModul ? kRgbGreen : kRgbRed);
    SetCtrlVal(panelHandle, led, 1);
    if (unserModul) SetCtrlVal(panelHandle, PANEL_IDSTRING, m.id);
}

void ScanMeldungZeigen(const ScanMeldung& m) {
    switch (m.art) {
        case ScanMeldung::Art::Suche:
            SetCtrlVal(panelHandle, PANEL_TEXT,
                       Einsetzen(Fenster::tr("Suche nach Gerät %1"), {std::to_string(m.adresse)}));
            break;
        case ScanMeldung::Art::Ergebnis:
            LedZeigen(m);
            break;
    }
}

// The mode and setpoint or manipulated value each channel works with, into
// its fields (the setpoint in the channel's user unit).
void SollwertOderStellwertEintragen() {
    LaufendesProgramm().modul.ausfuehren([ziel = AktuellesZiel()](Leitung& leitung) -> Anzeige {
        std::array<Arbeitswert, 2> werte;
        const Result result = ArbeitswerteLesen(leitung, ziel, &werte);
        return [result, werte] {
            const Programm& p = LaufendesProgramm();
            for (const int n : {1, 2}) {
                const Kanal k = KanalNr(n);
                const Arbeitswert& w = werte[n - 1];
                if (w.sollwert) {
                    SetCtrlVal(panelHandle, k.sollwert,
                               Umrechnen_VoltZuBenutzereinheit(*w.sollwert, p.konfig[n - 1]));
                }
                if (w.stellwert) SetCtrlVal(panelHandle, k.stellwert, *w.stellwert);
            }
            FehlerZeigen(result);
            Beschaeftigt(false);
        };
    });
}

void Verbunden(const Result& result) {
    FehlerZeigen(result);
    Programm& p = LaufendesProgramm();
    if (!result.ok()) {
        VerbindungBeenden();
        Beschaeftigt(false);
        return;
    }
    VerbindungAnzeigen(true);
    if (!p.warnungAngezeigt) {
        // Shown on the first successful connect of a run.
        MessagePopup(
            Fenster::tr("Info").c_str(),
            Fenster::tr("Achtung: Das ständige Abfragen der Istwerte beansprucht das Regelmodul\n"
                        "stärker als im Normalbetrieb.\n"
                        "Es sind daher Abweichungen im Regelverhalten möglich!\n"
                        "Außerdem können schnelle Schwingungen hier nicht dargestellt werden. ")
                .c_str());
        p.warnungAngezeigt = true;
    }
    p.istwerteAbfragen = true;
    ++p.verbindung;
    SollwertOderStellwertEintragen();
}

void Verbinden() {
    Beschaeftigt(true);
    PortsBeschreiben();
    LaufendesProgramm().modul.ausfuehren([port = Wert(PANEL_PORT)](Leitung& leitung) -> Anzeige {
        Result result = leitung.OpenComPort(port);
        // A port whose timeout could not be set is held all the same; without
        // a connection no port may stay open.
        if (!result.ok()) leitung.CloseComPort();
        return [result] { Verbunden(result); };
    });
}

// The set as the module holds it onto the pages, in the user units in force now.
void ParametersatzZeigen(const std::array<std::optional<ReglerParameter>, 2>& gelesen) {
    const Programm& p = LaufendesProgramm();
    for (const int n : {1, 2}) {
        if (gelesen[n - 1]) {
            SchreibeRegler(KanalNr(n).seite, ReglerAufSeite(*gelesen[n - 1], p.konfig[n - 1]));
        }
    }
}

void ParametersatzLesenLassen() {
    // Translated here: the module thread knows no texts.
    LaufendesProgramm().modul.ausfuehren(
        [ziel = AktuellesZiel(), text = Fenster::tr("lese...")](Leitung& leitung) -> Anzeige {
            bool begonnen = false;
            std::array<std::optional<ReglerParameter>, 2> gelesen;
            const Result result = ParametersatzLesen(
                leitung, ziel,
                [&begonnen, &text] {
                    begonnen = true;
                    StatusMelden(text);
                },
                &gelesen);
            return [result, gelesen, begonnen, adresse = ziel.adresse] {
                ParametersatzZeigen(gelesen);
                if (result.ok()) LaufendesProgramm().satzFuerAdresse = adresse;
                if (begonnen) SetCtrlVal(panelHandle, PANEL_TEXT, "");
                FehlerZeigen(result);
                SetPrecision();
                Beschaeftigt(false);
            };
        });
}

void ParametersatzSchreibenLassen() {
    Programm& p = LaufendesProgramm();
    std::array<ReglerParameter, 2> regler{};
    for (const int n : {1, 2})
        regler[n - 1] = ReglerFuerModul(LeseRegler(KanalNr(n).seite), p.konfig[n - 1]);
    p.modul.ausfuehren([ziel = AktuellesZiel(), regler,
                        text = Fenster::tr("schreibe...")](Leitung& leitung) -> Anzeige {
        bool begonnen = false;
        const Result result = ParametersatzSchreiben(leitung, ziel, regler, [&begonnen, &text] {
            begonnen = true;
            StatusMelden(text);
        });
        return [result, begonnen] {
            if (begonnen) SetCtrlVal(panelHandle, PANEL_TEXT, "");
            FehlerZeigen(result);
            // A written set is read back, so the pages show what the module holds.
            if (result.ok()) {
                ParametersatzLesenLassen();
            } else {
                Beschaeftigt(false);
            }
        };
    });
}

// Sends a setpoint (converted from the user unit) or a manipulated value.
void KanalwertSchreibenLassen(int panel, int control) {
    const Kanal k = KanalNr(control == PANEL_SOLLWERT1 || control == PANEL_STELLWERT1 ? 1 : 2);
    const bool sollwert = control == k.sollwert;
    double wert = 0;
    GetCtrlVal(panelHandle, control, &wert);
    Programm& p = LaufendesProgramm();
    if (sollwert) wert = Umrechnen_BenutzereinheitZuVolt(wert, p.konfig[k.nummer - 1]);
    Beschaeftigt(true);
    p.modul.ausfuehren([ziel = AktuellesZiel(), kanal = k.nummer, sollwert, wert, panel,
                        control](Leitung& leitung) -> Anzeige {
        const Result result = sollwert ? SollwertSchreiben(leitung, ziel, kanal, wert)
                                       : StellwertSchreiben(leitung, ziel, kanal, wert);
        return [result, panel, control] {
            FehlerZeigen(result);
            Beschaeftigt(false);
            // The operator can type the next value at once.
            SetActiveCtrl(panel, control);
        };
    });
}

}  // namespace

Ziel AktuellesZiel() {
    return {Wert(PANEL_PORT), Wert(PANEL_ADRESSE)};
}

void ParametersatzBekannt() {
    LaufendesProgramm().satzFuerAdresse = Wert(PANEL_ADRESSE);
}

void PortsBeschreiben() {
    std::string geraete;
    for (int port = rs232::kFirstPort; port <= rs232::kLastPort; ++port) {
        if (!geraete.empty()) geraete += '\n';
        geraete += "COM " + std::to_string(port) + " = " + rs232::DeviceForPort(port);
    }
    SetCtrlAttribute(panelHandle, PANEL_PORT, ATTR_TOOLTIP, geraete.c_str());
}

void VerbindungAnzeigen(bool verbunden) {
    const int dimmed = verbunden ? 0 : 1;
    for (int control :
         {PANEL_ISTWERT1, PANEL_ISTWERTEINHEIT1, PANEL_ISTWERT2, PANEL_ISTWERTEINHEIT2}) {
        SetCtrlAttribute(panelHandle, control, ATTR_DIMMED, dimmed);
    }
    SetCtrlAttribute(panelHandle, PANEL_PORT, ATTR_DIMMED, 1 - dimmed);
    SetMenuBarAttribute(panelHandle, MENUBAR_DATEI_MESSWERTE, ATTR_DIMMED, dimmed);
}

void VerbindungBeenden() {
    Programm& p = LaufendesProgramm();
    p.modul.ausfuehren([](Leitung& leitung) -> Anzeige {
        leitung.CloseComPort();
        return {};
    });
    VerbindungAnzeigen(false);
    SetCtrlVal(panelHandle, PANEL_VERBINDEN, 0);
    if (p.istwerteAbfragen) {
        // The next connection's curves start after a gap, not with a jump.
        const double luecke[2] = {std::nan(""), std::nan("")};
        PlotStripChart(panelHandle, PANEL_STRIPCHART, luecke, 2);
    }
    p.istwerteAbfragen = false;
    AufzeichnungMitDerVerbindungBeenden();
}

int Callback_Main_Togglebutton_Verbinden(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    int gedrueckt = 0;
    GetCtrlVal(panel, control, &gedrueckt);
    if (gedrueckt) {
        Verbinden();
    } else {
        VerbindungBeenden();
    }
    return 0;
}

int Callback_Main_Button_Scann(int, int, int event) {
    if (event != EVENT_COMMIT) return 0;
    Programm& p = LaufendesProgramm();
    if (p.scan) {
        p.scan->request_stop();
        return 0;
    }
    // Nothing of an earlier scan, perhaps of another port, stays shown.
    for (int led = PANEL_LED1; led <= PANEL_LED8; ++led)
        SetCtrlVal(panelHandle, led, 0);
    SetCtrlVal(panelHandle, PANEL_IDSTRING, "");
    PortsBeschreiben();
    p.scan.emplace();
    Beschaeftigt(true);
    p.modul.ausfuehren(
        [port = Wert(PANEL_PORT), stop = p.scan->get_token()](Leitung& leitung) -> Anzeige {
            const Result result = ZAN1Scann(leitung, port, stop, [](const ScanMeldung& m) {
                userint::PostToUiThread([m] { ScanMeldungZeigen(m); });
            });
            return [result] {
                // A scan that got its port showed its progress; that ends now.
                if (result.ok()) SetCtrlVal(panelHandle, PANEL_TEXT, "");
                FehlerZeigen(result);
                LaufendesProgramm().scan.reset();
                Beschaeftigt(false);
            };
        });
    return 0;
}

int Callback_Main_Button_IDLesen(int, int, int event) {
    if (event != EVENT_COMMIT) return 0;
    Beschaeftigt(true);
    LaufendesProgramm().modul.ausfuehren([ziel = AktuellesZiel()](Leitung& leitung) -> Anzeige {
        const Identifikation id = IDLesen(leitung, ziel);
        return [id] {
            if (id.gelesen) SetCtrlVal(panelHandle, PANEL_IDSTRING, id.text);
            FehlerZeigen(id.result);
            Beschaeftigt(false);
        };
    });
    return 0;
}

int Callback_Main_ButtonLesen(int, int, int event) {
    if (event != EVENT_COMMIT) return 0;
    Beschaeftigt(true);
    ParametersatzLesenLassen();
    return 0;
}

int Callback_Main_Button_Schreiben(int, int, int event) {
    if (event != EVENT_COMMIT) return 0;
    // Defaults nobody checked must not overwrite a module's tuning unasked.
    const std::optional<int> bekannt = LaufendesProgramm().satzFuerAdresse;
    if ((!bekannt || *bekannt != Wert(PANEL_ADRESSE)) &&
        ConfirmPopup(Fenster::tr("Parametersatz schreiben").c_str(),
                     Fenster::tr("Die Parameter auf den Seiten \"Regler 1\" und \"Regler 2\" "
                                 "wurden weder vom Modul\ngelesen noch aus einer Datei geladen. "
                                 "Trotzdem zum Modul schreiben?")
                         .c_str()) != 1) {
        return 0;
    }
    Beschaeftigt(true);
    ParametersatzSchreibenLassen();
    return 0;
}

int Callback_Main_Numerics(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    switch (control) {
        case PANEL_STELLWERT1:
        case PANEL_STELLWERT2:
        case PANEL_SOLLWERT1:
        case PANEL_SOLLWERT2:
            KanalwertSchreibenLassen(panel, control);
            break;
        default:
            break;
    }
    return 0;
}

int Callback_Main_Numerics_Parametereingabe(int panel, int control, int event) {
    if (event != EVENT_COMMIT) return 0;
    SetPrecision();
    double wert = 0;
    double stellmin = 0;
    double stellmax = 0;
    switch (control) {
        case TABPANEL_IANTEIL:
            GetCtrlVal(panel, control, &wert);
            if (wert == 0.0) SetCtrlVal(panel, control, kKleinsterIAnteil);
            break;
        case TABPANEL_STELLMIN:
        case TABPANEL_STELLMAX:
            GetCtrlVal(panel, TABPANEL_STELLMIN, &stellmin);
            GetCtrlVal(panel, TABPANEL_STELLMAX, &stellmax);
            // The field just entered gives way; the other keeps its value.
            if (stellmax < stellmin) {
                SetCtrlVal(panel, control, control == TABPANEL_STELLMIN ? stellmax : stellmin);
            }
            break;
        default:
            break;
    }
    return 0;
}

int Callback_Main_Ring_Betriebsart(int, int, int) {
    // A new mode reaches the module only with "Schreiben".
    return 0;
}
