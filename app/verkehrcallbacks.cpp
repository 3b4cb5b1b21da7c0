#include "app/verkehrcallbacks.h"

#include <string>

#include "errors/errordisplay.h"
#include "moduleops/verkehrsprotokoll.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.log";
constexpr const char* kProtokollieren = "Verkehr protokollieren...";
constexpr const char* kBeenden = "Protokoll beenden";

bool gProtokolliert = false;

void Beenden() {
    gProtokolliert = false;
    SetMenuBarAttribute(panelHandle, MENUBAR_MENU_VERKEHR, ATTR_ITEM_NAME, kProtokollieren);
    if (const int code = VerkehrsprotokollBeenden(); code != 0) FehlerSetzen(code);
}

}  // namespace

void Callback_Menu_Verkehr(int /*menuItem*/, int /*panel*/) {
    if (gProtokolliert) return Beenden();
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", "Verkehr protokollieren", VAL_SAVE_BUTTON, 0, 1, 1, 1,
                        &pfad) == VAL_NO_FILE_SELECTED) {
        return;
    }
    if (const int code = VerkehrsprotokollStarten(pfad, false); code != 0) {
        return FehlerSetzen(code);
    }
    gProtokolliert = true;
    SetMenuBarAttribute(panelHandle, MENUBAR_MENU_VERKEHR, ATTR_ITEM_NAME, kBeenden);
}

void VerkehrsprotokollPruefen() {
    if (gProtokolliert && !VerkehrsprotokollLaeuft()) Beenden();
}
