// A thread of its own that owns a Leitung and runs work on it one piece at a
// time, in the order given, so that no caller ever waits for the line. Work
// hands its results out itself, as values (the window posts them to its UI
// thread). The destructor drops work not yet begun, waits for the piece that
// runs (a module operation gives up within one read timeout), and closes the
// held port.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "moduleops/leitung.h"

class ModulThread {
  public:
    using Auftrag = std::function<void(Leitung&)>;

    ModulThread();
    ~ModulThread();
    ModulThread(const ModulThread&) = delete;
    ModulThread& operator=(const ModulThread&) = delete;

    // From any thread.
    void auftrag(Auftrag auftrag);

  private:
    void run(std::stop_token stop);

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::deque<Auftrag> m_auftraege;  // guarded by m_mutex
    Leitung m_leitung;                // the thread's own until it has ended
    std::jthread m_thread;            // last: starts once everything above is ready
};
