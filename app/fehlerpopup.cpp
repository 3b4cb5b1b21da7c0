#include "app/fehlerpopup.h"

#include "errors/VEK_errorV3.h"
#include "errors/fehlertext.h"
#include "platform/userint/userint.h"

void VEK_Fehlerpopup(const Result& result) {
    if (VEK_FehlerStill(result.code)) return;
    MessagePopup(VEK_FehlerpopupTitel(result.code).c_str(), Fehlertext(result).c_str());
}
