// One line's thread: opens the port, finds the ZAN-1 modules on it (at start,
// every scan interval one unknown address per round, and whenever the line
// comes back), polls each module's actual values and status byte once a round
// and runs commands between the polls in the order they arrived. Publishes
// through the outbox: per module state, id and status (online/offline,
// retained), error on a change of failure, result for a command. A module
// that fails two polls in a row, or every module of a line that went away,
// goes offline. Stopping ends the transaction in flight (at most one read
// timeout), then publishes every module offline and closes the port.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "bridge/bridgeconfig.h"
#include "bridge/messages.h"
#include "bridge/outbox.h"

namespace bridge {

class LinePoller {
  public:
    // port: the port number the line's device is reached by.
    LinePoller(const BridgeConfig& config, const LineConfig& line, int port, Outbox& outbox);
    ~LinePoller();  // stops and waits
    LinePoller(const LinePoller&) = delete;
    LinePoller& operator=(const LinePoller&) = delete;

    void start();
    // Asks the thread to end after the transaction in flight; join waits for it.
    void requestStop();
    void join();
    // Queues a checked command for the line; false when kMaxQueued wait already.
    bool submit(const Command& command);

    static constexpr std::size_t kMaxQueued = 64;

  private:
    void run(std::stop_token stop);

    const BridgeConfig& m_config;
    const LineConfig& m_line;
    const int m_port;
    Outbox& m_outbox;
    std::mutex m_mutex;
    std::condition_variable_any m_arrived;
    std::deque<Command> m_commands;  // guarded by m_mutex
    std::jthread m_thread;
};

}  // namespace bridge
