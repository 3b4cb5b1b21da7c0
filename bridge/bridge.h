// The bridge: one LinePoller per configured line, commands from the broker
// checked and handed to their line, or refused on <...>/result without
// reaching a line. Lines given by a device path or tcp:// address take the
// port numbers no comN line uses.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bridge/bridgeconfig.h"
#include "bridge/linepoller.h"
#include "bridge/outbox.h"

namespace bridge {

class Bridge {
  public:
    // config and outbox outlive the bridge.
    Bridge(const BridgeConfig& config, Outbox& outbox);
    ~Bridge();  // stops the lines
    Bridge(const Bridge&) = delete;
    Bridge& operator=(const Bridge&) = delete;

    void start();
    // Ends every line's thread; each publishes its modules offline.
    void stop();
    // A message on the command filter, from any thread.
    void command(const std::string& topic, const std::string& payload);

  private:
    const BridgeConfig& m_config;
    Outbox& m_outbox;
    std::vector<std::unique_ptr<LinePoller>> m_lines;  // in the order of m_config.lines
};

}  // namespace bridge
