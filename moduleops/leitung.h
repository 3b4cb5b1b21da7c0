// The serial port that one thread works the module through. A Leitung holds
// at most one open port (the connection the operator holds); every operation
// that finds none held opens the port it is given itself and closes it again
// on every way out (open on demand, PortSession). A Leitung and everything
// done through it belongs to one thread at a time.
#pragma once

#include "errors/result.h"

// The port to open when none is held, and the module's bus address (1..8,
// or 9 for every module).
struct Ziel {
    int port = 0;
    int adresse = 1;
};

class Leitung {
  public:
    Leitung() = default;
    // Closes a held port.
    ~Leitung();
    Leitung(const Leitung&) = delete;
    Leitung& operator=(const Leitung&) = delete;

    // Makes port the held port, with a 1.0 s read timeout: nothing when it is
    // held already, another held port is closed first, -1 closes. -100002
    // when it cannot be opened (none held then), -111004 when the timeout
    // cannot be set (the port stays open and held).
    Result OpenComPort(int port);
    // Closes the held port, if any.
    void CloseComPort();
    // The held port, -1 for none.
    int gehalten() const { return m_port; }

  private:
    int m_port = -1;
};

// A failed driver code with the port's reason, when the system gave one.
Result MitPortgrund(int code);

// The open-on-demand rule as a scope: the held port, or the given one opened
// here and closed again when the scope ends, also when its timeout could not
// be set (the operation then ends at once), so it is never taken for held.
class PortSession {
  public:
    PortSession(Leitung& leitung, int port);
    ~PortSession();
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // 0, or the open's result; then the operation returns it at once.
    const Result& status() const { return m_status; }
    int port() const { return m_leitung.gehalten(); }

  private:
    Leitung& m_leitung;
    bool m_openedHere;
    Result m_status;
};
