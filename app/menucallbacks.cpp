#include "app/menucallbacks.h"

#include "app/fehlerpopup.h"
#include "app/parameterdatei.h"
#include "app/skalierung.h"
#include "config/konfigstruktur.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

// A failing code in the error popup; success shows nothing.
void FehlerPopupZeigen(int code) {
    if (code != 0) VEK_Fehlerpopup(code);
}

}  // namespace

void Callback_Menu_Laden(int /*menuItem*/, int /*panel*/) {
    FehlerPopupZeigen(LeseParameterAusDatei());
}

void Callback_Menu_Speichern(int /*menuItem*/, int /*panel*/) {
    FehlerPopupZeigen(SchreibeParameterInDatei());
}

void Callback_Menu_Skalieren(int /*menuItem*/, int /*panel*/) {
    KonfigStrukturZuGui();
    DisplayPanel(konfigpanelHandle);
}

int Callback_Konfig_Button_Ok(int /*panel*/, int /*control*/, int event) {
    if (event != EVENT_COMMIT) return 0;
    // A degenerate page is not adopted; the operator gets to correct it.
    const int code = NeueSkalierungSetzen();
    if (code != 0) {
        VEK_Fehlerpopup(code);
        return 0;
    }
    HidePanel(konfigpanelHandle);
    return 0;
}

int Callback_Konfig_Button_Abbruch(int /*panel*/, int /*control*/, int event) {
    if (event == EVENT_COMMIT) HidePanel(konfigpanelHandle);
    return 0;
}

int Callback_Konfig_Button_AufStandardwerte(int /*panel*/, int /*control*/, int event) {
    if (event != EVENT_COMMIT) return 0;
    KonfigZuSeite(konfigtabRegler1, kStandardKonfig);
    KonfigZuSeite(konfigtabRegler2, kStandardKonfig);
    return 0;
}
