#include "app/recording.h"

#include <string>

#include "app/failurereason.h"
#include "config/messwertaufzeichnung.h"
#include "errors/VEK_errorV3.h"
#include "errors/errordisplay.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.csv";

void MenuepunktBenennen() {
    SetMenuBarAttribute(panelHandle, MENUBAR_DATEI_MESSWERTE, ATTR_ITEM_NAME,
                        AufzeichnungLaeuft() ? kAufzeichnungBeenden : kMesswerteAufzeichnen);
}

}  // namespace

void Callback_Menu_Messwerte(int /*menuItem*/, int /*panel*/) {
    if (AufzeichnungLaeuft()) {
        AufzeichnungAbschliessen();
        return;
    }
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", "Messwerte aufzeichnen", VAL_SAVE_BUTTON, 0, 1, 1, 1,
                        &pfad) == VAL_NO_FILE_SELECTED) {
        return;
    }
    int grund = 0;
    if (const int code = AufzeichnungStarten(pfad, &grund); code != 0) {
        FehlergrundAnhaengen(grund);
        VEK_Fehlerpopup(code);
        return;
    }
    MenuepunktBenennen();
}

void MesswerteAufzeichnen(double volt1, double volt2) {
    int grund = 0;
    const int code = AufzeichnungEintragen(volt1, volt2, &grund);
    if (code == 0) return;
    MenuepunktBenennen();
    FehlergrundAnhaengen(grund);
    FehlerSetzen(code);
}

void AufzeichnungAbschliessen() {
    if (!AufzeichnungLaeuft()) return;
    int grund = 0;
    const int code = AufzeichnungBeenden(&grund);
    MenuepunktBenennen();
    if (code == 0) return;
    FehlergrundAnhaengen(grund);
    VEK_Fehlerpopup(code);
}
