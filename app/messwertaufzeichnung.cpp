#include "app/messwertaufzeichnung.h"

#include <filesystem>
#include <string>

#include "app/fehleranzeige.h"
#include "app/fehlerpopup.h"
#include "app/programm.h"
#include "app/uebersetzung.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.csv";

// The menu item and the window's title say whether a recording runs.
void MenuepunktBenennen() {
    const Programm& p = LaufendesProgramm();
    const std::string name = p.aufzeichnung ? Fenster::tr("Aufzeichnung beenden")
                                            : Fenster::tr("Messwerte aufzeichnen...");
    SetMenuBarAttribute(panelHandle, MENUBAR_DATEI_MESSWERTE, ATTR_ITEM_NAME, name.c_str());
    const std::string titel =
        p.aufzeichnung
            ? Einsetzen(Fenster::tr("ZAN-1B Steuerung – Aufzeichnung: %1"), {p.aufzeichnungsDatei})
            : Fenster::tr("ZAN-1B Steuerung");
    SetPanelAttribute(panelHandle, ATTR_TITLE, titel.c_str());
}

}  // namespace

void Callback_Menu_Messwerte(int /*menuItem*/, int /*panel*/) {
    Programm& p = LaufendesProgramm();
    if (p.aufzeichnung) {
        AufzeichnungAbschliessen();
        return;
    }
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", Fenster::tr("Messwerte aufzeichnen").c_str(),
                        VAL_SAVE_BUTTON, 0, 1, 1, 1, &pfad) == VAL_NO_FILE_SELECTED) {
        return;
    }
    int fehler = 0;
    p.aufzeichnung = Messwertaufzeichnung::starten(pfad, p.konfig[0], p.konfig[1], &fehler);
    if (!p.aufzeichnung) {
        VEK_Fehlerpopup({kFehlerAufzeichnungOeffnen, SystemReason{fehler}});
        return;
    }
    p.aufzeichnungsDatei = std::filesystem::path(pfad).filename().string();
    MenuepunktBenennen();
}

void MesswerteAufzeichnen(double volt1, double volt2, const platform::Timestamp& zeit) {
    Programm& p = LaufendesProgramm();
    if (!p.aufzeichnung) return;
    int fehler = 0;
    const int code = p.aufzeichnung->eintragen(volt1, volt2, zeit, &fehler);
    if (code == 0) return;
    p.aufzeichnung.reset();
    MenuepunktBenennen();
    FehlerSetzen({code, SystemReason{fehler}});
}

void AufzeichnungAbschliessen() {
    Programm& p = LaufendesProgramm();
    if (!p.aufzeichnung) return;
    int fehler = 0;
    const int code = p.aufzeichnung->beenden(&fehler);
    p.aufzeichnung.reset();
    MenuepunktBenennen();
    if (code != 0) VEK_Fehlerpopup({code, SystemReason{fehler}});
}

void AufzeichnungMitDerVerbindungBeenden() {
    const Programm& p = LaufendesProgramm();
    if (!p.aufzeichnung) return;
    const std::string text =
        Einsetzen(Fenster::tr("Die Verbindung ist beendet, und mit ihr die Aufzeichnung in %1."),
                  {p.aufzeichnungsDatei});
    AufzeichnungAbschliessen();
    MessagePopup(Fenster::tr("Aufzeichnung beendet").c_str(), text.c_str());
}
