// A TCP socket bound to a free port on the loopback, for a server in a test.
// Connections are refused until it listens.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <string>

#include "platform/uniquefd.h"

namespace testsupport {

struct LoopbackSocket {
    LoopbackSocket() : socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        auto* raw = reinterpret_cast<sockaddr*>(&address);
        if (bind(socket.get(), raw, length) == 0 && getsockname(socket.get(), raw, &length) == 0)
            port = ntohs(address.sin_port);
    }
    std::string device() const { return "tcp://127.0.0.1:" + std::to_string(port); }

    platform::UniqueFd socket;
    int port = 0;
};

}  // namespace testsupport
