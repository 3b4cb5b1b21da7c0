#include "app/parameterdatei.h"

#include <string>

#include "app/maincallbacks.h"
#include "app/programm.h"
#include "app/reglerseite.h"
#include "app/skalierung.h"
#include "app/uebersetzung.h"
#include "config/parameterdatei.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.zan";

}  // namespace

void LeseParameterAusGUI(Parametersatz* satz) {
    satz->regler1 = LeseRegler(tabpanelRegler1);
    satz->regler2 = LeseRegler(tabpanelRegler2);
    GetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, &satz->zoommin);
    GetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, &satz->zoommax);
}

void SchreibeParameterInGUI(const Parametersatz& satz) {
    SchreibeRegler(tabpanelRegler1, satz.regler1);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, satz.zoommin);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, satz.zoommax);
    SchreibeRegler(tabpanelRegler2, satz.regler2);
}

int SchreibeParameterInDatei() {
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", Fenster::tr("Speichern").c_str(), VAL_SAVE_BUTTON, 0, 1, 1,
                        1, &pfad) == VAL_NO_FILE_SELECTED) {
        return 0;
    }
    Parametersatz satz{};
    LeseParameterAusGUI(&satz);
    satz.konfig1 = LaufendesProgramm().konfig[0];
    satz.konfig2 = LaufendesProgramm().konfig[1];
    return ParametersatzSpeichern(pfad, satz);
}

int LeseParameterAusDatei() {
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", Fenster::tr("Laden").c_str(), VAL_LOAD_BUTTON, 0, 1, 1, 0,
                        &pfad) == VAL_NO_FILE_SELECTED) {
        return 0;
    }
    Parametersatz satz{};
    if (const int code = ParametersatzLaden(pfad, &satz); code != 0) return code;
    LaufendesProgramm().konfig = {satz.konfig1, satz.konfig2};
    KonfigStrukturZuGui();
    // The records in force are the loaded ones already, so the controls the
    // file does not cover keep their numbers.
    NeueSkalierungSetzen();
    SchreibeParameterInGUI(satz);
    NeueSkalierungSetzen();
    ParametersatzBekannt();
    return 0;
}
