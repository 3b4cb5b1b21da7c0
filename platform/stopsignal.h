// Ctrl-C and SIGTERM (on Windows Ctrl-C and Ctrl-Break) as a stop request, so
// that a program waiting for its next step ends at once rather than after it.
#pragma once

#include <stop_token>
#include <thread>

namespace platform {

class StopOnSignal {
  public:
    // First in main: on POSIX the signals are blocked in every thread started
    // after this, and a thread of its own takes them with sigwait.
    StopOnSignal();
    ~StopOnSignal();
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;

    std::stop_token token() const { return m_source.get_token(); }

  private:
    std::stop_source m_source;
    std::thread m_waiter;  // POSIX only
};

}  // namespace platform
