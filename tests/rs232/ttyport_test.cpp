// The termios backend over a real pseudo-terminal.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/rs232/portfailure.h"
#include "platform/rs232/rs232.h"
#include "tests/rs232/linefaults.h"
#include "tests/support/tempdir.h"

namespace {

constexpr int kPort = 5;

// Baud rate, data bits, parity, stop bits.
int OpenLine(int port, const std::string& device, std::array<int, 4> line = {9600, 7, 1, 1}) {
    return OpenComConfig(port, device.c_str(), line[0], line[2], line[1], line[3], 512, 512);
}

// The pseudo-terminal's other side, as the simulator or a module holds it.
struct Peer {
    Peer() : fd(posix_openpt(O_RDWR | O_NOCTTY)) {
        if (fd >= 0 && grantpt(fd) == 0 && unlockpt(fd) == 0) path = ptsname(fd);
    }
    ~Peer() {
        if (fd >= 0) close(fd);
    }
    int fd;
    std::string path;
};

class TtyPort : public testing::Test {
  protected:
    void SetUp() override {
        if (m_peer.path.empty()) GTEST_SKIP() << "no pseudo-terminal can be opened here";
        ASSERT_EQ(OpenLine(kPort, m_peer.path), 0);
        ASSERT_EQ(SetComTime(kPort, 0.05), 0);
    }
    void TearDown() override {
        CloseCom(kPort);
        linefaults::writes.clear();
        linefaults::heldQueueReports = 0;
    }
    // What the peer receives up to a CR; bytes written in pieces arrive in pieces.
    std::string peerReads() {
        std::string text;
        char buffer[64];
        pollfd pfd{m_peer.fd, POLLIN, 0};
        while (!text.ends_with('\r') && poll(&pfd, 1, 2000) > 0) {
            const ssize_t n = read(m_peer.fd, buffer, sizeof buffer);
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }

    Peer m_peer;
};

TEST_F(TtyPort, FlushDiscardsWhatCameInButNotWhatWentOut) {
    ASSERT_EQ(write(m_peer.fd, "stale", 5), 5);
    EXPECT_EQ(ComRdByte(kPort), 's');
    EXPECT_EQ(FlushInQ(kPort), 0);
    EXPECT_LT(ComRdByte(kPort), 0);
    // A broadcast write gets no answer; the next transaction's flush must not
    // take it back from a peer that has not read it yet.
    ASSERT_EQ(ComWrt(kPort, "#9S1W2.500\r", 11), 11);
    EXPECT_EQ(FlushOutQ(kPort), 0);
    EXPECT_EQ(peerReads(), "#9S1W2.500\r");
}

// A UART's queue empties at the line's pace: the flush waits for it, and
// fails without a reason from the system when it never empties. Once seen
// empty, it is not asked again until the next write.
TEST_F(TtyPort, OutputFlushWaitsUntilTheQueueIsOut) {
    linefaults::heldQueueReports = 3;
    EXPECT_EQ(FlushOutQ(kPort), 0);
    linefaults::heldQueueReports = -1;
    EXPECT_EQ(FlushOutQ(kPort), 0);
    ASSERT_EQ(ComWrt(kPort, "#1P1R\r", 6), 6);
    EXPECT_LT(FlushOutQ(kPort), 0);
    EXPECT_EQ(rs232::TakePortFailure().device, "");
    EXPECT_EQ(peerReads(), "#1P1R\r");
}

TEST_F(TtyPort, WritesThroughFullQueuesAndPartialWritesUntilTheDeadline) {
    linefaults::writes = {-1, 2, -1, -1, 3};
    EXPECT_EQ(ComWrt(kPort, "#9S1W2.500\r", 11), 11);
    EXPECT_EQ(peerReads(), "#9S1W2.500\r");
    linefaults::writes = {4, -1};
    EXPECT_EQ(ComWrt(kPort, "#1P1R\r", 6), 4);
    EXPECT_EQ(rs232::TakePortFailure().device, "");
}

TEST_F(TtyPort, RefusesLinesItCannotSetAndWhatIsNoTerminalAndSaysWhy) {
    ASSERT_EQ(CloseCom(kPort), 0);
    for (const auto& line :
         {std::array{9601, 7, 1, 1}, std::array{9600, 9, 1, 1}, std::array{9600, 7, 3, 1},
          std::array{9600, 7, -1, 1}, std::array{9600, 7, 1, 3}, std::array{9600, 7, 1, 0}}) {
        EXPECT_LT(OpenLine(kPort, m_peer.path, line), 0)
            << line[0] << ' ' << line[1] << ' ' << line[2] << ' ' << line[3];
        EXPECT_EQ(rs232::TakePortFailure().cause.error, EINVAL);
    }
    testsupport::TemporaryCurrentDirectory directory;
    std::ofstream("plain") << "x";
    for (const auto& [device, error] : {std::pair<std::string, int>{"/nonexistent/tty", ENOENT},
                                        {directory.path(), EISDIR},
                                        {directory.path() / "plain", ENOTTY}}) {
        EXPECT_LT(OpenLine(kPort, device), 0);
        const rs232::PortFailure failure = rs232::TakePortFailure();
        EXPECT_EQ(failure.device + ' ' + std::to_string(failure.cause.error),
                  device + ' ' + std::to_string(error));
    }
    EXPECT_LT(OpenLine(kPort, "/nonexistent/tty"), 0);
    EXPECT_EQ(OpenLine(kPort, m_peer.path), 0);  // the next operation forgets the failure
    EXPECT_EQ(rs232::TakePortFailure().device, "");
}

TEST_F(TtyPort, AGonePeerEndsAReadAtOnceAndEveryStepSaysSo) {
    close(m_peer.fd);
    m_peer.fd = -1;
    ASSERT_EQ(SetComTime(kPort, 60.0), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_LT(ComRdByte(kPort), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(SetComTime(kPort, 1.0), 0);  // a later operation forgets the failure
    EXPECT_EQ(rs232::TakePortFailure().device, "");
    for (int (*step)() : {+[] { return ComRdByte(kPort); }, +[] { return FlushInQ(kPort); },
                          +[] { return ComWrt(kPort, "#", 1); }, +[] { return GetOutQLen(kPort); },
                          +[] { return FlushInQ(kPort) + CloseCom(kPort); }}) {
        EXPECT_LT(step(), 0);
        const rs232::PortFailure failure = rs232::TakePortFailure();
        EXPECT_TRUE(failure.cause.gone);
        EXPECT_EQ(failure.device, m_peer.path);
    }
}

// Opens, possibly as another user in a child, a pty whose terminal side stays
// open (as zan1sim keeps it) twice, closes and opens it again, then opens a
// file the user is not permitted, and tells on stderr how each went.
[[noreturn]] void OpenAs(const passwd* user, const std::string& denied) {
    if (user && (setgroups(0, nullptr) || setgid(user->pw_gid) || setuid(user->pw_uid))) {
        std::_Exit(2);
    }
    Peer peer;
    std::cerr << "held " << (open(peer.path.c_str(), O_RDWR | O_NOCTTY) >= 0) << ", first "
              << OpenLine(1, peer.path) << ", second " << OpenLine(2, peer.path) << ' '
              << rs232::TakePortFailure().cause.error << ", again " << CloseCom(1)
              << OpenLine(2, peer.path) << ", denied " << OpenLine(3, denied) << ' ';
    const rs232::PortFailure failure = rs232::TakePortFailure();
    std::cerr << failure.cause.error << ' ' << failure.group;
    std::_Exit(0);
}

// Root ignores the exclusive flag and file modes: as root, this drops to an
// unprivileged user.
TEST(TtyPortAsUser, ASecondOpenerIsBusyAndADeniedOneLearnsTheGroup) {
    const passwd* user = nullptr;
    if (geteuid() == 0 && !(user = getpwnam("op")) && !(user = getpwnam("nobody"))) {
        GTEST_SKIP() << "no unprivileged user to run as";
    }
    testsupport::TemporaryCurrentDirectory directory;
    const std::string denied = directory.path() / "denied";
    std::ofstream(denied) << "";
    struct stat status {};
    ASSERT_TRUE(chmod(directory.path().c_str(), 0755) == 0 && chmod(denied.c_str(), 060) == 0 &&
                stat(denied.c_str(), &status) == 0 && getgrgid(status.st_gid));
    EXPECT_EXIT(OpenAs(user, denied), testing::ExitedWithCode(0),
                "^held 1, first 0, second -1 " + std::to_string(EBUSY) + ", again 00, denied -1 " +
                    std::to_string(EACCES) + ' ' + getgrgid(status.st_gid)->gr_name + '$');
}

// The exclusive flag does not bind root, who runs the tools with sudo at the
// bench; the lock does. Two processes of the same user, root in CI: the second
// one's open is refused as busy until the first closes.
TEST(TtyPortTwoProcesses, TheSecondIsBusyUntilTheFirstCloses) {
    Peer peer;
    if (peer.path.empty()) GTEST_SKIP() << "no pseudo-terminal can be opened here";
    int toHolder[2], fromHolder[2];
    ASSERT_TRUE(pipe(toHolder) == 0 && pipe(fromHolder) == 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    char step = 0;
    if (holder == 0) {
        step = OpenLine(1, peer.path) == 0 ? 'o' : '-';
        if (write(fromHolder[1], &step, 1) != 1 || read(toHolder[0], &step, 1) != 1) std::_Exit(1);
        step = CloseCom(1) == 0 ? 'c' : '-';
        std::_Exit(write(fromHolder[1], &step, 1) == 1 ? 0 : 1);
    }
    ASSERT_EQ(read(fromHolder[0], &step, 1), 1);
    EXPECT_EQ(step, 'o');
    EXPECT_LT(OpenLine(kPort, peer.path), 0);
    EXPECT_EQ(rs232::TakePortFailure().cause.error, EBUSY);
    ASSERT_EQ(write(toHolder[1], "x", 1), 1);
    ASSERT_EQ(read(fromHolder[0], &step, 1), 1);
    EXPECT_EQ(step, 'c');
    EXPECT_EQ(OpenLine(kPort, peer.path), 0);
    EXPECT_EQ(CloseCom(kPort), 0);
    waitpid(holder, nullptr, 0);
    for (int fd : {toHolder[0], toHolder[1], fromHolder[0], fromHolder[1]})
        close(fd);
}

}  // namespace
