// The termios backend over a real pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "platform/rs232/rs232.h"

namespace {

constexpr int kPort = 5;

class TtyPort : public testing::Test {
  protected:
    void SetUp() override {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
            GTEST_SKIP() << "no pseudo-terminal can be opened here";
        }
        m_slavePath = ptsname(m_master);
        ASSERT_EQ(
            OpenComConfig(kPort, m_slavePath.c_str(), 9600, rs232::kParityOdd, 7, 1, 512, 512), 0);
        ASSERT_EQ(SetComTime(kPort, 0.5), 0);
    }
    void TearDown() override {
        CloseCom(kPort);
        if (m_master >= 0) close(m_master);
    }
    std::string readMaster(std::size_t count) {
        std::string got;
        while (got.size() < count) {
            pollfd pfd{m_master, POLLIN, 0};
            if (poll(&pfd, 1, 2000) <= 0) break;
            char buffer[64];
            const ssize_t n = read(m_master, buffer, sizeof buffer);
            if (n <= 0) break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }
    void writeMaster(const std::string& bytes) {
        ASSERT_EQ(write(m_master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    int m_master = -1;
    std::string m_slavePath;
};

TEST_F(TtyPort, MovesBytesBothWaysInRawMode) {
    const std::string command = "#1IDR\r\n\x03";
    ASSERT_EQ(ComWrt(kPort, command.data(), static_cast<int>(command.size())), 8);
    EXPECT_EQ(GetOutQLen(kPort), 0);
    EXPECT_EQ(readMaster(command.size()), command);  // no CR/LF translation, no signals

    writeMaster("\x06#1A\r\xC1");
    std::string got;
    for (int i = 0; i < 6; ++i)
        got += static_cast<char>(ComRdByte(kPort));
    EXPECT_EQ(got, "\x06#1A\r\xC1");  // the top bit is passed on for the driver to judge
}

TEST_F(TtyPort, ReadTimesOutAndFlushDiscardsInput) {
    ASSERT_EQ(SetComTime(kPort, 0.05), 0);
    EXPECT_LT(ComRdByte(kPort), 0);

    writeMaster("stale");
    EXPECT_EQ(ComRdByte(kPort), 's');  // arrived, and one byte taken
    EXPECT_EQ(FlushInQ(kPort), 0);
    EXPECT_EQ(FlushOutQ(kPort), 0);
    EXPECT_LT(ComRdByte(kPort), 0);
}

TEST_F(TtyPort, FlushKeepsWhatWasSentButNotYetRead) {
    // A broadcast write gets no answer; the next transaction's flush must not
    // take it back from the peer.
    ASSERT_EQ(ComWrt(kPort, "#9S1W2.500\r", 11), 11);
    ASSERT_EQ(GetOutQLen(kPort), 0);
    EXPECT_EQ(FlushOutQ(kPort), 0);
    EXPECT_EQ(readMaster(11), "#9S1W2.500\r");
}

TEST_F(TtyPort, OpensAgainAfterClose) {
    // The pty keeps 8N1 from the first open on; that must not refuse the second.
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(CloseCom(kPort), 0);
        ASSERT_EQ(
            OpenComConfig(kPort, m_slavePath.c_str(), 9600, rs232::kParityOdd, 7, 1, 512, 512), 0)
            << "open " << i + 2;
    }
}

TEST_F(TtyPort, ClosedPeerEndsReadsAtOnce) {
    close(m_master);
    m_master = -1;
    ASSERT_EQ(SetComTime(kPort, 5.0), 0);
    EXPECT_LT(ComRdByte(kPort), 0);
}

TEST(TtyOpen, RefusesWhatIsNotATerminal) {
    EXPECT_LT(OpenComConfig(6, "/dev/null", 9600, 1, 7, 1, 512, 512), 0);
    EXPECT_LT(OpenComConfig(6, "/nonexistent/tty", 9600, 1, 7, 1, 512, 512), 0);
    EXPECT_LT(CloseCom(6), 0);
}

}  // namespace
