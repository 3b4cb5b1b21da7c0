// A simulated bus on a real pseudo-terminal, mapped to a port number, for the
// end-to-end tests. Skips the test when no pty can be opened.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/rs232/portmap.h"
#include "sim/ptyserver.h"

class SimBus : public testing::Test {
  protected:
    static constexpr int kPort = 2;

    void startBus(const zan1sim::Options& options) {
        std::string error;
        m_sim = zan1sim::PtyServer::Start(options, &error);
        if (!m_sim) GTEST_SKIP() << "no pseudo-terminal for the simulator: " << error;
        rs232::SetPortDevice(kPort, m_sim->devicePath());
    }
    // Ends the simulator: its pseudo-terminal goes away.
    void stopBus() { m_sim.reset(); }
    void TearDown() override { rs232::SetPortDevice(kPort, ""); }

    zan1sim::PtyServer& sim() { return *m_sim; }

  private:
    std::unique_ptr<zan1sim::PtyServer> m_sim;
};
