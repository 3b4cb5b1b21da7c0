#include "moduleops/linetrace.h"

Result LineTraceStart(const std::string& path, rs232::TraceMode mode) {
    const int error = rs232::StartLineTrace(path, mode);
    if (error == 0) return 0;
    return {kLineTraceOpenFailed, FileReason{path, error}};
}

Result LineTraceStop(const std::string& path) {
    const int error = rs232::StopLineTrace();
    if (error == 0) return 0;
    return {kLineTraceWriteFailed, FileReason{path, error}};
}
