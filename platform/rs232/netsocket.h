// The socket calls of the network backend (tcpport.cpp), the same on POSIX
// (netsocket_posix.cpp) and Windows (Winsock, netsocket_windows.cpp): one
// non-blocking TCP connection, results as errno values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/rs232/linetiming.h"
#include "platform/rs232/serialport.h"

namespace rs232 {

// Owns a socket: a descriptor on POSIX, a SOCKET on Windows; both are all ones
// when there is none.
class NetSocket {
  public:
    static constexpr std::uintptr_t kNone = ~std::uintptr_t{0};
    NetSocket() = default;
    explicit NetSocket(std::uintptr_t handle) : m_handle(handle) {}
    NetSocket(NetSocket&& other) noexcept : m_handle(other.m_handle) { other.m_handle = kNone; }
    NetSocket& operator=(NetSocket&&) = delete;
    NetSocket(const NetSocket&) = delete;
    NetSocket& operator=(const NetSocket&) = delete;
    ~NetSocket() { close(); }

    bool valid() const { return m_handle != kNone; }
    std::uintptr_t handle() const { return m_handle; }
    // 0 or errno; the socket is gone either way.
    int close();

  private:
    std::uintptr_t m_handle = kNone;
};

// Resolves host and connects to the first of its addresses that accepts
// within the connect timeout, without Nagle's delay. On failure no socket, and
// in *cause the resolver's code for a host not resolved, ETIMEDOUT when the
// time ran out, else the errno of the last address tried.
NetSocket ConnectTcp(const std::string& host, const std::string& port, FailureCause* cause);

// Bytes taken (> 0), 0 when the server ended the connection (Receive only),
// -EAGAIN when none can be taken now, else -errno.
long Receive(NetSocket& socket, char* bytes, std::size_t count);
long Send(NetSocket& socket, const char* bytes, std::size_t count);

// 1 when the socket can be read (forWriting: written) or has a hang-up or
// error to report, 0 at the deadline, else -errno.
int Await(NetSocket& socket, bool forWriting, Clock::time_point deadline);

// Bytes the system has not sent yet (0 where it cannot tell): 0 or errno.
int UnsentBytes(NetSocket& socket, int* pending);

}  // namespace rs232
