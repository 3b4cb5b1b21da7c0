#include "app/linetracemenu.h"

#include <string>

#include "app/fehleranzeige.h"
#include "app/programm.h"
#include "app/uebersetzung.h"
#include "moduleops/linetrace.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.log";

void Beenden() {
    Programm& p = LaufendesProgramm();
    const Result result = LineTraceStop(p.linetracePfad);
    p.linetracePfad.clear();
    SetMenuBarAttribute(panelHandle, MENUBAR_MENU_VERKEHR, ATTR_ITEM_NAME,
                        Fenster::tr("Verkehr protokollieren...").c_str());
    if (!result.ok()) FehlerSetzen(result);
}

}  // namespace

void Callback_Menu_Verkehr(int /*menuItem*/, int /*panel*/) {
    Programm& p = LaufendesProgramm();
    if (!p.linetracePfad.empty()) return Beenden();
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", Fenster::tr("Verkehr protokollieren").c_str(),
                        VAL_SAVE_BUTTON, 0, 1, 1, 1, &pfad) == VAL_NO_FILE_SELECTED) {
        return;
    }
    if (const Result result = LineTraceStart(pfad, rs232::TraceMode::Replace); !result.ok()) {
        return FehlerSetzen(result);
    }
    p.linetracePfad = pfad;
    SetMenuBarAttribute(panelHandle, MENUBAR_MENU_VERKEHR, ATTR_ITEM_NAME,
                        Fenster::tr("Protokoll beenden").c_str());
}

void LineTracePruefen() {
    if (!LaufendesProgramm().linetracePfad.empty() && !rs232::LineTraceRunning()) Beenden();
}
