#include "app/chartimage.h"

#include <fcntl.h>

#include <string>

#include "app/fehlerpopup.h"
#include "app/uebersetzung.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/atomicfile.h"
#include "platform/userint/userint.h"

namespace {

constexpr const char* kMuster = "*.png";

}  // namespace

void Callback_Menu_Diagramm(int /*menuItem*/, int /*panel*/) {
    // Drawn before the dialog: what was shown when the item was chosen.
    std::string png;
    if (GetCtrlDisplayPng(panelHandle, PANEL_STRIPCHART, &png) != 0) {
        VEK_Fehlerpopup(kFehlerDiagrammBild);
        return;
    }
    std::string pfad;
    if (FileSelectPopup("", kMuster, "", Fenster::tr("Diagramm speichern").c_str(), VAL_SAVE_BUTTON,
                        0, 1, 1, 1, &pfad) == VAL_NO_FILE_SELECTED) {
        return;
    }
    const platform::ReplaceResult ergebnis = platform::ReplaceFile(
        pfad, O_WRONLY, platform::RandomTempName,
        [&png](int fd) { return platform::WriteAll(fd, png.data(), png.size()); });
    if (ergebnis.step == platform::ReplaceStep::kDone) return;
    // Everything before the first byte counts as opening the file.
    const int code = ergebnis.step < platform::ReplaceStep::kWrite ? kFehlerDiagrammOeffnen
                                                                   : kFehlerDiagrammSchreiben;
    VEK_Fehlerpopup({code, SystemReason{ergebnis.error}});
}
