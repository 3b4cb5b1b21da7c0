#include <windows.h>

#include <atomic>

#include "platform/stopsignal.h"

namespace platform {
namespace {

// Windows calls the handler on a thread of its own, where a stop request is safe.
std::atomic<std::stop_source*> gSource = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (std::stop_source* source = gSource.load()) source->request_stop();
    return TRUE;
}

}  // namespace

StopOnSignal::StopOnSignal() {
    gSource = &m_source;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

StopOnSignal::~StopOnSignal() {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    gSource = nullptr;
}

}  // namespace platform
