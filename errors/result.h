// What an operation ends with: its error code (0 for success, else message
// number * 1000 - site number) and, for a failure whose reason the system
// gave, that reason. Both travel together as one value, from the thread that
// met the failure to whoever shows it.
#pragma once

#include <string>
#include <utility>
#include <variant>

#include "platform/rs232/portfailure.h"

// A file step that failed, shown as " (path: reason)".
struct FileReason {
    std::string path;
    int error = 0;  // errno
};

// A system error shown as ": <system text>".
struct SystemReason {
    int error = 0;  // errno
};

using Reason = std::variant<std::monostate, rs232::PortFailure, FileReason, SystemReason>;

struct Result {
    // A plain code converts, so that code-only operations read as results.
    Result(int code = 0) : code(code) {}  // NOLINT(google-explicit-constructor)
    Result(int code, Reason reason) : code(code), reason(std::move(reason)) {}

    bool ok() const { return code == 0; }

    int code = 0;
    Reason reason;
};
