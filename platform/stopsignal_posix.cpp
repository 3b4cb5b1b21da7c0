#include <pthread.h>
#include <signal.h>

#include "platform/stopsignal.h"

namespace platform {
namespace {

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

// A thread rather than a handler: request_stop wakes waiters, which a signal
// handler must not do.
StopOnSignal::StopOnSignal() {
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    m_waiter = std::thread([this, signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        m_source.request_stop();
    });
}

// Without a signal the waiter still waits: one sent to that thread alone ends it.
StopOnSignal::~StopOnSignal() {
    pthread_kill(m_waiter.native_handle(), SIGTERM);
    m_waiter.join();
}

}  // namespace platform
