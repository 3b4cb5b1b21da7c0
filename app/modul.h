// The module thread as the window uses it. Work runs there one piece at a
// time in the order asked; the function a piece returns runs afterwards on the
// UI thread, with the values it captured, in the same order. The window counts
// the work in flight, so that a poll is asked for only while the line is free.
#pragma once

#include <functional>
#include <memory>

#include "moduleops/modulthread.h"

class Modul {
  public:
    using Anzeige = std::function<void()>;  // may be empty
    using Arbeit = std::function<Anzeige(Leitung&)>;

    Modul();
    // As beenden().
    ~Modul();
    Modul(const Modul&) = delete;
    Modul& operator=(const Modul&) = delete;

    void ausfuehren(Arbeit arbeit);
    // Nothing in flight: every piece asked for has been shown.
    bool frei() const { return m_laufend == 0; }
    // Drops the work not begun, waits for the piece that runs, closes the
    // held port and forgets every result not yet shown.
    void beenden();

  private:
    int m_laufend = 0;
    std::unique_ptr<ModulThread> m_thread;
};
