// The termios backend over a real pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <string>

#include "platform/rs232/rs232.h"

namespace {

constexpr int kPort = 5;

class TtyPort : public testing::Test {
  protected:
    void SetUp() override {
        m_peer = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_peer < 0 || grantpt(m_peer) != 0 || unlockpt(m_peer) != 0) {
            GTEST_SKIP() << "no pseudo-terminal can be opened here";
        }
        m_path = ptsname(m_peer);
        ASSERT_EQ(open({9600, 7, 1, 1}), 0);
        ASSERT_EQ(SetComTime(kPort, 0.05), 0);
    }
    void TearDown() override {
        CloseCom(kPort);
        if (m_peer >= 0) close(m_peer);
    }
    // Baud rate, data bits, parity, stop bits.
    int open(std::array<int, 4> line) {
        return OpenComConfig(kPort, m_path.c_str(), line[0], line[2], line[1], line[3], 512, 512);
    }
    std::string peerReads() {
        char buffer[64];
        pollfd pfd{m_peer, POLLIN, 0};
        const ssize_t n = poll(&pfd, 1, 2000) > 0 ? read(m_peer, buffer, sizeof buffer) : 0;
        return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
    }

    int m_peer = -1;
    std::string m_path;
};

TEST_F(TtyPort, FlushDiscardsWhatCameInButNotWhatWentOut) {
    ASSERT_EQ(write(m_peer, "stale", 5), 5);
    EXPECT_EQ(ComRdByte(kPort), 's');
    EXPECT_EQ(FlushInQ(kPort), 0);
    EXPECT_LT(ComRdByte(kPort), 0);
    // A broadcast write gets no answer; the next transaction's flush must not
    // take it back from a peer that has not read it yet.
    ASSERT_EQ(ComWrt(kPort, "#9S1W2.500\r", 11), 11);
    EXPECT_EQ(FlushOutQ(kPort), 0);
    EXPECT_EQ(peerReads(), "#9S1W2.500\r");
}

TEST_F(TtyPort, RefusesLinesItCannotSetAndWhatIsNoTerminal) {
    ASSERT_EQ(CloseCom(kPort), 0);
    for (const auto& line :
         {std::array{9601, 7, 1, 1}, std::array{9600, 9, 1, 1}, std::array{9600, 7, 3, 1},
          std::array{9600, 7, -1, 1}, std::array{9600, 7, 1, 3}, std::array{9600, 7, 1, 0}}) {
        EXPECT_LT(open(line), 0) << line[0] << ' ' << line[1] << ' ' << line[2] << ' ' << line[3];
    }
    EXPECT_LT(OpenComConfig(kPort, "/dev/null", 9600, 1, 7, 1, 512, 512), 0);
    EXPECT_LT(OpenComConfig(kPort, "/nonexistent/tty", 9600, 1, 7, 1, 512, 512), 0);
}

TEST_F(TtyPort, ClosedPeerEndsAReadWithoutWaitingOutTheTimeout) {
    close(m_peer);
    m_peer = -1;
    ASSERT_EQ(SetComTime(kPort, 60.0), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_LT(ComRdByte(kPort), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

}  // namespace
