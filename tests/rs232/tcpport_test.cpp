// The network backend against a listening socket on the loopback.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/rs232/portfailure.h"
#include "platform/rs232/rs232.h"
#include "platform/uniquefd.h"
#include "tests/support/loopback.h"

namespace {

constexpr int kPort = 6;

int OpenLine(const std::string& device) {
    return OpenComConfig(kPort, device.c_str(), 9600, rs232::kParityOdd, 7, 1, 512, 512);
}

std::string Failure() {
    const rs232::PortFailure f = rs232::TakePortFailure();
    return f.device + " " + std::to_string(f.cause.error) + (f.cause.gone ? " gone" : "") +
           (f.cause.resolveError != 0 ? " unresolved" : "");
}

TEST(TcpPort, OpenFailuresKeepTheirReason) {
    const testsupport::LoopbackSocket server;
    ASSERT_NE(server.port, 0);
    // Host names that the resolver refuses without asking a name server.
    const std::pair<std::string, std::string> cases[] = {
        {server.device(), std::to_string(ECONNREFUSED)},
        {"tcp://a..b:4001", "0 unresolved"},
        {"tcp://127.0.0.1", std::to_string(EINVAL)},
        {"tcp://127.0.0.1:0", std::to_string(EINVAL)},
        {"tcp://127.0.0.1:65536", std::to_string(EINVAL)},
        {"tcp://::1:4001", std::to_string(EINVAL)},
    };
    for (const auto& [device, reason] : cases) {
        EXPECT_LT(OpenLine(device), 0) << device;
        EXPECT_EQ(Failure(), device + " " + reason);
    }
}

// Silence is a timeout without a reason; a connection the server ends is a
// device gone away, once the bytes before the end are read; so is a reset.
TEST(TcpPort, TimeoutsAndALostConnection) {
    const testsupport::LoopbackSocket server;
    ASSERT_EQ(listen(server.socket.get(), 1), 0);
    ASSERT_EQ(OpenLine(server.device()), 0);
    platform::UniqueFd peer(accept(server.socket.get(), nullptr, nullptr));
    ASSERT_EQ(SetComTime(kPort, 0.05), 0);
    EXPECT_LT(ComRdByte(kPort), 0);
    EXPECT_EQ(Failure(), " 0");
    EXPECT_EQ(send(peer.get(), "\x06", 1, 0), 1);
    shutdown(peer.get(), SHUT_RDWR);
    EXPECT_EQ(ComRdByte(kPort), 0x06);
    EXPECT_LT(ComRdByte(kPort), 0);
    EXPECT_EQ(Failure(), server.device() + " 0 gone");
    // A reset after the server's end makes the next write a broken pipe.
    const linger abort{1, 0};
    setsockopt(peer.get(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    peer.reset();
    EXPECT_LT(ComWrt(kPort, "#", 1), 0);
    EXPECT_EQ(Failure(), server.device() + " " + std::to_string(EPIPE) + " gone");
    EXPECT_EQ(CloseCom(kPort), 0);
}

}  // namespace
