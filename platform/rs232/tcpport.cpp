#include "platform/rs232/tcpport.h"

#include <linux/sockios.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/uniquefd.h"

namespace rs232 {
namespace {

using Clock = std::chrono::steady_clock;

struct Address {
    std::string host;
    std::string port;
};

// HOST:PORT or [IPv6]:PORT after the scheme, PORT 1..65535.
std::optional<Address> ParseAddress(std::string_view device) {
    if (!IsNetworkDevice(device)) return std::nullopt;
    std::string_view rest = device.substr(kNetworkScheme.size());
    const std::size_t colon = rest.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    std::string_view host = rest.substr(0, colon);
    const std::string_view port = rest.substr(colon + 1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string_view::npos) {
        return std::nullopt;
    }
    unsigned number = 0;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (host.empty() || port.empty() || ec != std::errc{} || end != port.data() + port.size() ||
        number < 1 || number > 65535) {
        return std::nullopt;
    }
    return Address{std::string(host), std::string(port)};
}

Clock::duration Seconds(double seconds) {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// 1 when the socket has events (readiness, a hang-up or an error, which the
// next call then reports), 0 when the deadline passed, else -errno.
int Await(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return 0;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec wait{static_cast<time_t>(ns / 1'000'000'000),
                            static_cast<long>(ns % 1'000'000'000)};
        pollfd pfd{fd, events, 0};
        const int ready = ppoll(&pfd, 1, &wait, nullptr);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return -errno;
        if (ready > 0) return 1;
    }
}

// 0 once connected, else the errno of the attempt (ETIMEDOUT at the deadline).
int Connect(int fd, const addrinfo& address, Clock::time_point deadline) {
    if (connect(fd, address.ai_addr, address.ai_addrlen) == 0) return 0;
    if (errno != EINPROGRESS) return errno;
    const int ready = Await(fd, POLLOUT, deadline);
    if (ready == 0) return ETIMEDOUT;
    if (ready < 0) return -ready;
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
    return error;
}

// The errors of an established connection that mean the server is gone.
bool MeansGone(int error) {
    return error == ECONNRESET || error == EPIPE || error == ECONNABORTED || error == ENOTCONN ||
           error == ETIMEDOUT;
}

class TcpPort final : public SerialPort {
  public:
    explicit TcpPort(platform::UniqueFd socket) : m_socket(std::move(socket)) {}

    int setTimeout(double seconds) override {
        if (!(seconds >= 0) || !std::isfinite(seconds)) return noReason();
        m_timeout = Seconds(seconds);
        return 0;
    }

    // Takes in and drops what the server has sent; an ended connection shows
    // here first, as a hung-up tty does.
    int flushInput() override {
        m_readPos = m_readEnd = 0;
        for (;;) {
            const ssize_t n = recv(m_socket.get(), m_input.data(), m_input.size(), MSG_DONTWAIT);
            if (n > 0) continue;
            if (n == 0) return gone();
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
            return failed(errno);
        }
    }

    // What the socket holds goes to the server whatever happens; nothing to drop.
    int flushOutput() override { return 0; }

    int write(std::span<const char> bytes) override {
        const auto deadline = Clock::now() + m_timeout;
        std::size_t taken = 0;
        while (taken < bytes.size()) {
            const ssize_t n = send(m_socket.get(), bytes.data() + taken, bytes.size() - taken,
                                   MSG_DONTWAIT | MSG_NOSIGNAL);
            if (n > 0) {
                taken += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return failed(errno);
            const int ready = Await(m_socket.get(), POLLOUT, deadline);
            if (ready < 0) return failed(-ready);
            if (ready == 0) break;
        }
        return static_cast<int>(taken);
    }

    // Bytes not yet sent; waiting for the server's acknowledgement as well
    // would cost a round trip per command.
    int outputQueueLength() override {
        int pending = 0;
        if (ioctl(m_socket.get(), SIOCOUTQNSD, &pending) != 0) return failed(errno);
        return pending;
    }

    int readByte() override {
        if (m_readPos == m_readEnd && fillInput() != 0) return -1;
        return static_cast<unsigned char>(m_input[m_readPos++]);
    }

    int close() override {
        const int error = m_socket.close();
        return error == 0 ? 0 : failed(error);
    }

    FailureCause failureCause() const override { return m_cause; }

  private:
    int failed(int error) {
        m_cause = {error, MeansGone(error)};
        return -1;
    }
    int gone() {
        m_cause = {0, true};
        return -1;
    }
    int noReason() {
        m_cause = {};
        return -1;
    }

    // Waits up to the read timeout for input and takes all that is there; 0,
    // or -1 with the cause kept.
    int fillInput() {
        const auto deadline = Clock::now() + m_timeout;
        for (;;) {
            const ssize_t n = recv(m_socket.get(), m_input.data(), m_input.size(), MSG_DONTWAIT);
            if (n > 0) {
                m_readPos = 0;
                m_readEnd = static_cast<std::size_t>(n);
                return 0;
            }
            if (n == 0) return gone();
            if (errno == EINTR) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) return failed(errno);
            const int ready = Await(m_socket.get(), POLLIN, deadline);
            if (ready < 0) return failed(-ready);
            if (ready == 0) return noReason();
        }
    }

    platform::UniqueFd m_socket;
    FailureCause m_cause;
    Clock::duration m_timeout = Seconds(kDefaultTimeoutSeconds);
    std::array<char, 512> m_input{};
    std::size_t m_readPos = 0;
    std::size_t m_readEnd = 0;
};

}  // namespace

std::unique_ptr<SerialPort> OpenTcpPort(const std::string& device, FailureCause* cause) {
    *cause = {};
    const auto address = ParseAddress(device);
    if (!address) {
        cause->error = EINVAL;
        return nullptr;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (const int resolved =
            getaddrinfo(address->host.c_str(), address->port.c_str(), &hints, &found);
        resolved != 0) {
        if (resolved == EAI_SYSTEM) {
            cause->error = errno;
        } else {
            cause->resolveError = resolved;
        }
        return nullptr;
    }
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(found, freeaddrinfo);
    const auto deadline = Clock::now() + Seconds(kConnectTimeoutSeconds);
    for (const addrinfo* a = found; a; a = a->ai_next) {
        platform::UniqueFd socket(
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
        cause->error = socket.valid() ? Connect(socket.get(), *a, deadline) : errno;
        if (cause->error != 0) continue;
        // A command is a few bytes that must go at once, not wait for more.
        const int on = 1;
        if (setsockopt(socket.get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) != 0) {
            cause->error = errno;
            return nullptr;
        }
        return std::make_unique<TcpPort>(std::move(socket));
    }
    return nullptr;
}

}  // namespace rs232
