#include "platform/version.h"

const char* ProgramVersion() {
    return ZAN1_VERSION;
}
