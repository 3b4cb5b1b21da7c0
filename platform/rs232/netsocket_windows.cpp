#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <mutex>

#include "platform/rs232/netsocket.h"
#include "platform/rs232/tcpport.h"

namespace rs232 {
namespace {

SOCKET Handle(const NetSocket& socket) {
    return static_cast<SOCKET>(socket.handle());
}

int ErrnoFromWinsock(int error) {
    switch (error) {
        case WSAEWOULDBLOCK:
        case WSAEINPROGRESS:
            return EAGAIN;
        case WSAECONNREFUSED:
            return ECONNREFUSED;
        case WSAETIMEDOUT:
            return ETIMEDOUT;
        case WSAEHOSTUNREACH:
        case WSAEHOSTDOWN:
            return EHOSTUNREACH;
        case WSAENETUNREACH:
        case WSAENETDOWN:
            return ENETUNREACH;
        case WSAECONNRESET:
        case WSAENETRESET:
            return ECONNRESET;
        case WSAECONNABORTED:
            return ECONNABORTED;
        case WSAENOTCONN:
        case WSAESHUTDOWN:
            return ENOTCONN;
        case WSAEACCES:
            return EACCES;
        case WSAEADDRNOTAVAIL:
        case WSAEAFNOSUPPORT:
            return EADDRNOTAVAIL;
        case WSAEMFILE:
        case WSAENOBUFS:
            return ENOBUFS;
        default:
            return EIO;
    }
}

int LastError() {
    return ErrnoFromWinsock(WSAGetLastError());
}

// Winsock works only after WSAStartup; the process keeps it to its end.
int Started() {
    static const int result = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data);
    }();
    return result == 0 ? 0 : ErrnoFromWinsock(result);
}

// 0 once connected, else the errno of the attempt (ETIMEDOUT at the deadline).
int Connect(NetSocket& socket, const addrinfo& address, Clock::time_point deadline) {
    if (connect(Handle(socket), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
        return 0;
    }
    if (WSAGetLastError() != WSAEWOULDBLOCK) return LastError();
    const int ready = Await(socket, true, deadline);
    if (ready == 0) return ETIMEDOUT;
    if (ready < 0) return -ready;
    int error = 0;
    int length = sizeof error;
    if (getsockopt(Handle(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                   &length) != 0) {
        return LastError();
    }
    return error == 0 ? 0 : ErrnoFromWinsock(error);
}

}  // namespace

int NetSocket::close() {
    if (m_handle == kNone) return 0;
    const int result = closesocket(static_cast<SOCKET>(m_handle));
    m_handle = kNone;
    return result == 0 ? 0 : LastError();
}

NetSocket ConnectTcp(const std::string& host, const std::string& port, FailureCause* cause) {
    if ((cause->error = Started()) != 0) return {};
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int resolved = getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
        resolved != 0) {
        cause->resolveError = resolved;
        return {};
    }
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, freeaddrinfo);
    const auto deadline = Clock::now() + Seconds(kConnectTimeoutSeconds);
    for (const addrinfo* a = found; a; a = a->ai_next) {
        NetSocket socket(WSASocketW(a->ai_family, a->ai_socktype, a->ai_protocol, nullptr, 0,
                                    WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT));
        u_long nonBlocking = 1;
        cause->error = !socket.valid() ? LastError()
                       : ioctlsocket(Handle(socket), FIONBIO, &nonBlocking) != 0
                           ? LastError()
                           : Connect(socket, *a, deadline);
        if (cause->error != 0) continue;
        // A command is a few bytes that must go at once, not wait for more.
        const BOOL on = TRUE;
        if (setsockopt(Handle(socket), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on),
                       sizeof on) != 0) {
            cause->error = LastError();
            return {};
        }
        return socket;
    }
    return {};
}

long Receive(NetSocket& socket, char* bytes, std::size_t count) {
    const int n = recv(Handle(socket), bytes, static_cast<int>(count), 0);
    return n >= 0 ? n : -LastError();
}

long Send(NetSocket& socket, const char* bytes, std::size_t count) {
    const int n = send(Handle(socket), bytes, static_cast<int>(count), 0);
    return n > 0 ? n : n == 0 ? -EAGAIN : -LastError();
}

// select rather than WSAPoll, which misses a refused connect on older Windows.
int Await(NetSocket& socket, bool forWriting, Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return 0;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(left).count();
    timeval wait{static_cast<long>(us / 1'000'000), static_cast<long>(us % 1'000'000)};
    fd_set ready;
    fd_set failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(Handle(socket), &ready);
    FD_SET(Handle(socket), &failed);
    const int count =
        select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &wait);
    if (count < 0) return -LastError();
    return count > 0 ? 1 : 0;
}

// Winsock cannot tell; what it took counts as sent.
int UnsentBytes(NetSocket& /*socket*/, int* pending) {
    *pending = 0;
    return 0;
}

}  // namespace rs232
