// The simulated bus served on a pseudo-terminal by a background thread. Clients
// open devicePath() like a serial port. Without realtime, answers go out at once
// in one write; with it, they are paced like a 9600-baud line (linepacing.h).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/fault.h"
#include "sim/options.h"

namespace zan1sim {

class PtyServer {
    struct Key {
        explicit Key() = default;
    };
    struct Impl;

  public:
    // Opens the pty and serves it on a background thread; nullptr and a message on failure.
    static std::unique_ptr<PtyServer> start(const Options& options, std::string* error);
    PtyServer(Key, std::unique_ptr<Impl> impl);
    ~PtyServer();  // stops the thread, closes both fds
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    const std::string& devicePath() const;    // the terminal side, e.g. /dev/pts/7
    void setFault(int address, Fault fault);  // thread-safe, takes effect for the next frame
    // Current value of a ZAN-1 module's parameter as a read would return it;
    // nullopt for no module / unknown name. Thread-safe.
    std::optional<double> parameter(int address, std::string_view name) const;
    // Every complete frame received so far (including its CR), oldest first, at
    // most the last 1000. Thread-safe.
    std::vector<std::string> frames() const;

  private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace zan1sim
