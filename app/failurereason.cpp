#include "app/failurereason.h"

#include <cstring>
#include <string>

#include "errors/VEK_errorV3.h"

void FehlergrundAnhaengen(int grund) {
    if (grund != 0) VEK_Fehleruserstring((": " + std::string(std::strerror(grund))).c_str());
}
