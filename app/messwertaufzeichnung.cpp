#include "app/messwertaufzeichnung.h"

#include <string>

#include "app/fehleranzeige.h"
#include "app/fehlerpopup.h"
#include "app/programm.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.csv";

void MenuepunktBenennen() {
    SetMenuBarAttribute(
        panelHandle, MENUBAR_DATEI_MESSWERTE, ATTR_ITEM_NAME,
        LaufendesProgramm().aufzeichnung ? kAufzeichnungBeenden : kMesswerteAufzeichnen);
}

}  // namespace

void Callback_Menu_Messwerte(int /*menuItem*/, int /*panel*/) {
    Programm& p = LaufendesProgramm();
    if (p.aufzeichnung) {
        AufzeichnungAbschliessen();
        return;
    }
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", "Messwerte aufzeichnen", VAL_SAVE_BUTTON, 0, 1, 1, 1,
                        &pfad) == VAL_NO_FILE_SELECTED) {
        return;
    }
    int fehler = 0;
    p.aufzeichnung = Messwertaufzeichnung::starten(pfad, p.konfig[0], p.konfig[1], &fehler);
    if (!p.aufzeichnung) {
        VEK_Fehlerpopup({kFehlerAufzeichnungOeffnen, SystemReason{fehler}});
        return;
    }
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
