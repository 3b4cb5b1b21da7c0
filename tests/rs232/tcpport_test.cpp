// The network backend against a listening socket on the loopback.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <string>

#include "platform/rs232/portfailure.h"
#include "platform/rs232/rs232.h"
#include "platform/uniquefd.h"

namespace {

constexpr int kPort = 6;

int OpenLine(const std::string& device) {
    return OpenComConfig(kPort, device.c_str(), 9600, rs232::kParityOdd, 7, 1, 512, 512);
}

// A socket bound to a free loopback port; connections are refused until it listens.
struct Server {
    Server() : socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        if (bind(socket.get(), raw, length) == 0 && getsockname(socket.get(), raw, &length) == 0)
            device = "tcp://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    }
    platform::UniqueFd accept() { return platform::UniqueFd(::accept(socket.get(), nullptr, 0)); }
    platform::UniqueFd socket;
    std::string device;
};

std::string Failure() {
    const rs232::PortFailure f = rs232::TakePortFailure();
    return f.device + " " + std::to_string(f.cause.error) + (f.cause.gone ? " gone" : "") +
           (f.cause.resolveError != 0 ? " unresolved" : "");
}

TEST(TcpPort, OpenFailuresKeepTheirReason) {
    Server server;
    ASSERT_FALSE(server.device.empty());
    // Host names that the resolver refuses without asking a name server.
    const std::pair<std::string, std::string> cases[] = {
        {server.device, std::to_string(ECONNREFUSED)},
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

// Commands reach the server as sent, answers come back byte by byte, silence
// is a timeout; a connection the server ends is a device gone away, and the
// next open connects anew.
TEST(TcpPort, TransactionsTimeoutsAndALostConnection) {
    Server server;
    ASSERT_EQ(listen(server.socket.get(), 1), 0);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(OpenLine(server.device), 0);
        const platform::UniqueFd peer = server.accept();
        ASSERT_EQ(SetComTime(kPort, 0.05), 0);
        EXPECT_EQ(ComWrt(kPort, "#1IDR\r", 6), 6);
        EXPECT_EQ(GetOutQLen(kPort), 0);
        char received[8] = {};
        EXPECT_EQ(recv(peer.get(), received, sizeof received, 0), 6);
        EXPECT_STREQ(received, "#1IDR\r");
        EXPECT_LT(ComRdByte(kPort), 0);
        EXPECT_EQ(Failure(), " 0");  // a timeout has no reason
        EXPECT_EQ(send(peer.get(), "\x06#1", 3, 0), 3);
        EXPECT_EQ(ComRdByte(kPort), 0x06);
        EXPECT_EQ(ComRdByte(kPort), '#');
        shutdown(peer.get(), SHUT_RDWR);
        EXPECT_EQ(ComRdByte(kPort), '1');
        EXPECT_LT(ComRdByte(kPort), 0);
        EXPECT_EQ(Failure(), server.device + " 0 gone");
        EXPECT_LT(FlushInQ(kPort), 0);
        EXPECT_EQ(Failure(), server.device + " 0 gone");
        EXPECT_EQ(CloseCom(kPort), 0);
    }
}

}  // namespace
