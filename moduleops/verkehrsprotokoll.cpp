#include "moduleops/verkehrsprotokoll.h"

#include "platform/rs232/linetrace.h"

int VerkehrsprotokollStarten(const std::string& pfad, bool anhaengen) {
    const auto art = anhaengen ? rs232::TraceMode::Append : rs232::TraceMode::Replace;
    return rs232::StartLineTrace(pfad, art) == 0 ? 0 : kFehlerVerkehrsprotokollOeffnen;
}

int VerkehrsprotokollBeenden() {
    return rs232::StopLineTrace() == 0 ? 0 : kFehlerVerkehrsprotokollSchreiben;
}

bool VerkehrsprotokollLaeuft() {
    return rs232::LineTraceRunning();
}
