#include "platform/rs232/tcpport.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/rs232/netsocket.h"

namespace rs232 {
namespace {

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

// The errors of an established connection that mean the server is gone.
bool MeansGone(int error) {
    return error == ECONNRESET || error == EPIPE || error == ECONNABORTED || error == ENOTCONN ||
           error == ETIMEDOUT;
}

class TcpPort final : public SerialPort {
  public:
    explicit TcpPort(NetSocket socket) : m_socket(std::move(socket)) {}

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
            const long n = Receive(m_socket, m_input.data(), m_input.size());
            if (n > 0) continue;
            if (n == 0) return gone();
            return n == -EAGAIN ? 0 : failed(static_cast<int>(-n));
        }
    }

    // What the socket holds goes to the server whatever happens; nothing to drop.
    int flushOutput() override { return 0; }

    int write(std::span<const char> bytes) override {
        const auto deadline = Clock::now() + m_timeout;
        std::size_t taken = 0;
        while (taken < bytes.size()) {
            const long n = Send(m_socket, bytes.data() + taken, bytes.size() - taken);
            if (n > 0) {
                taken += static_cast<std::size_t>(n);
                continue;
            }
            if (n != -EAGAIN) return failed(static_cast<int>(-n));
            const int ready = Await(m_socket, true, deadline);
            if (ready < 0) return failed(-ready);
            if (ready == 0) break;
        }
        return static_cast<int>(taken);
    }

    // Bytes not yet sent; waiting for the server's acknowledgement as well
    // would cost a round trip per command.
    int outputQueueLength() override {
        int pending = 0;
        if (const int error = UnsentBytes(m_socket, &pending); error != 0) return failed(error);
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
    // or -1 with the cause kept. The wait comes first, as the answer to a
    // command just sent is still a round trip away; after the deadline it
    // reads once more, which is also all a zero timeout does.
    int fillInput() {
        const auto deadline = Clock::now() + m_timeout;
        for (;;) {
            const int ready = Await(m_socket, false, deadline);
            const long n = Receive(m_socket, m_input.data(), m_input.size());
            if (n > 0) {
                m_readPos = 0;
                m_readEnd = static_cast<std::size_t>(n);
                return 0;
            }
            if (n == 0) return gone();
            if (n != -EAGAIN) return failed(static_cast<int>(-n));
            if (ready < 0) return failed(-ready);
            if (ready == 0) return noReason();
        }
    }

    NetSocket m_socket;
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
    NetSocket socket = ConnectTcp(address->host, address->port, cause);
    if (!socket.valid()) return nullptr;
    return std::make_unique<TcpPort>(std::move(socket));
}

}  // namespace rs232
