#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/rs232/netsocket.h"
#include "platform/rs232/pollwait.h"
#include "platform/rs232/tcpport.h"

namespace rs232 {
namespace {

int Fd(const NetSocket& socket) {
    return static_cast<int>(socket.handle());
}

// 0 once connected, else the errno of the attempt (ETIMEDOUT at the deadline).
int Connect(NetSocket& socket, const addrinfo& address, Clock::time_point deadline) {
    if (connect(Fd(socket), address.ai_addr, address.ai_addrlen) == 0) return 0;
    if (errno != EINPROGRESS) return errno;
    const int ready = Await(socket, true, deadline);
    if (ready == 0) return ETIMEDOUT;
    if (ready < 0) return -ready;
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(Fd(socket), SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
    return error;
}

}  // namespace

int NetSocket::close() {
    if (m_handle == kNone) return 0;
    const int result = ::close(static_cast<int>(m_handle));
    m_handle = kNone;
    return result == 0 ? 0 : errno;
}

NetSocket ConnectTcp(const std::string& host, const std::string& port, FailureCause* cause) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int resolved = getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
        resolved != 0) {
        if (resolved == EAI_SYSTEM) {
            cause->error = errno;
        } else {
            cause->resolveError = resolved;
        }
        return {};
    }
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, freeaddrinfo);
    const auto deadline = Clock::now() + Seconds(kConnectTimeoutSeconds);
    for (const addrinfo* a = found; a; a = a->ai_next) {
        NetSocket socket(static_cast<std::uintptr_t>(
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol)));
        cause->error = socket.valid() ? Connect(socket, *a, deadline) : errno;
        if (cause->error != 0) continue;
        // A command is a few bytes that must go at once, not wait for more.
        const int on = 1;
        if (setsockopt(Fd(socket), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) != 0) {
            cause->error = errno;
            return {};
        }
        return socket;
    }
    return {};
}

long Receive(NetSocket& socket, char* bytes, std::size_t count) {
    for (;;) {
        const ssize_t n = recv(Fd(socket), bytes, count, MSG_DONTWAIT);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        return errno == EWOULDBLOCK ? -EAGAIN : -errno;
    }
}

long Send(NetSocket& socket, const char* bytes, std::size_t count) {
    for (;;) {
        const ssize_t n = send(Fd(socket), bytes, count, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n > 0) return n;
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) return -EAGAIN;
        return errno == EWOULDBLOCK ? -EAGAIN : -errno;
    }
}

int Await(NetSocket& socket, bool forWriting, Clock::time_point deadline) {
    short revents = 0;
    return PollUntil(Fd(socket), forWriting ? POLLOUT : POLLIN, deadline, &revents);
}

int UnsentBytes(NetSocket& socket, int* pending) {
    return ioctl(Fd(socket), SIOCOUTQNSD, pending) == 0 ? 0 : errno;
}

}  // namespace rs232
