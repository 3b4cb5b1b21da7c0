// The trace of every byte on the line (platform/rs232/linetrace.h) as the
// window and zan1ctl switch it, with the program's codes and the file's
// reason in the result.
#pragma once

#include <string>

#include "errors/result.h"
#include "platform/rs232/linetrace.h"

inline constexpr int kLineTraceOpenFailed = -130150;
inline constexpr int kLineTraceWriteFailed = -131151;

// Starts the trace into path ("-": standard error), ending one that runs.
Result LineTraceStart(const std::string& path, rs232::TraceMode mode);
// Ends the trace into path; kLineTraceWriteFailed when a write failed since
// the start (the trace has then ended by itself already).
Result LineTraceStop(const std::string& path);
