#include "platform/rs232/ttyport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/rs232/rs232.h"
#include "platform/uniquefd.h"

namespace rs232 {
namespace {

using Clock = std::chrono::steady_clock;

std::optional<speed_t> SpeedFor(long baudRate) {
    switch (baudRate) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return std::nullopt;
    }
}

std::optional<tcflag_t> CharacterSize(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        case 8:
            return CS8;
        default:
            return std::nullopt;
    }
}

// A pseudo-terminal takes everything but the character size and parity; the C
// library then reports EINVAL although the kernel applied the rest. Accept the
// port when the rest did take effect.
bool AppliedExceptCharacterFormat(int fd, const termios& wanted) {
    termios applied{};
    if (tcgetattr(fd, &applied) != 0) return false;
    constexpr tcflag_t kFormat = CSIZE | PARENB | PARODD;
    return applied.c_iflag == wanted.c_iflag && applied.c_oflag == wanted.c_oflag &&
           applied.c_lflag == wanted.c_lflag &&
           (applied.c_cflag & ~kFormat) == (wanted.c_cflag & ~kFormat) &&
           cfgetospeed(&applied) == cfgetospeed(&wanted);
}

bool ApplyLineSettings(int fd, const LineSettings& settings) {
    const auto speed = SpeedFor(settings.baudRate);
    const auto size = CharacterSize(settings.dataBits);
    if (!speed || !size || settings.stopBits < 1 || settings.stopBits > 2 ||
        settings.parity < kParityNone || settings.parity > kParityEven) {
        return false;
    }
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= *size | CLOCAL | CREAD;
    if (settings.parity != kParityNone) {
        tio.c_cflag |= PARENB;
        // A byte with a parity error arrives as NUL and fails the answer checks.
        tio.c_iflag |= INPCK;
    }
    if (settings.parity == kParityOdd) tio.c_cflag |= PARODD;
    if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, *speed) != 0 || cfsetospeed(&tio, *speed) != 0) return false;
    if (tcsetattr(fd, TCSANOW, &tio) == 0) return true;
    return errno == EINVAL && AppliedExceptCharacterFormat(fd, tio);
}

// Linux gives the terminal sides of pseudo-terminals the majors 136 to 143.
bool IsPseudoTerminal(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode)) return false;
    const unsigned int deviceMajor = major(status.st_rdev);
    return deviceMajor >= 136 && deviceMajor <= 143;
}

class TtyPort final : public SerialPort {
  public:
    TtyPort(platform::UniqueFd fd, bool pseudoTerminal)
        : m_fd(std::move(fd)), m_pseudoTerminal(pseudoTerminal) {}

    int setTimeout(double seconds) override {
        if (!(seconds >= 0) || !std::isfinite(seconds)) return -1;
        m_timeout =
            std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
        return 0;
    }

    int flushInput() override {
        m_readPos = m_readEnd = 0;
        return tcflush(m_fd.get(), TCIFLUSH) == 0 ? 0 : -1;
    }

    // What a pseudo-terminal still holds has left us already: its peer simply
    // has not read it yet, so discarding it would cut off a sent command.
    int flushOutput() override {
        if (m_pseudoTerminal) return 0;
        return tcflush(m_fd.get(), TCOFLUSH) == 0 ? 0 : -1;
    }

    int write(std::span<const char> bytes) override {
        ssize_t n;
        do {
            n = ::write(m_fd.get(), bytes.data(), bytes.size());
        } while (n < 0 && errno == EINTR);
        if (n < 0) return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
        return static_cast<int>(n);
    }

    int outputQueueLength() override {
        int pending = 0;
        if (ioctl(m_fd.get(), TIOCOUTQ, &pending) != 0) return -1;
        return pending;
    }

    int readByte() override {
        if (m_readPos == m_readEnd && !fillInput()) return -1;
        return static_cast<unsigned char>(m_input[m_readPos++]);
    }

    int close() override { return m_fd.close() == 0 ? 0 : -1; }

  private:
    // Waits up to the read timeout for input and takes all that is there, so
    // an answer costs one system call rather than one per byte.
    bool fillInput() {
        const auto deadline = Clock::now() + m_timeout;
        for (;;) {
            const ssize_t n = ::read(m_fd.get(), m_input.data(), m_input.size());
            if (n > 0) {
                m_readPos = 0;
                m_readEnd = static_cast<std::size_t>(n);
                return true;
            }
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
            const auto left = deadline - Clock::now();
            if (left <= Clock::duration::zero()) return false;
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            const timespec wait{static_cast<time_t>(ns / 1'000'000'000),
                                static_cast<long>(ns % 1'000'000'000)};
            pollfd pfd{m_fd.get(), POLLIN, 0};
            const int ready = ppoll(&pfd, 1, &wait, nullptr);
            if (ready < 0 && errno != EINTR) return false;
            if (ready > 0 && (pfd.revents & (POLLERR | POLLNVAL))) return false;
            if (ready > 0 && (pfd.revents & POLLHUP) && !(pfd.revents & POLLIN)) return false;
        }
    }

    platform::UniqueFd m_fd;
    bool m_pseudoTerminal = false;
    Clock::duration m_timeout = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(kDefaultTimeoutSeconds));
    std::array<char, 512> m_input{};
    std::size_t m_readPos = 0;
    std::size_t m_readEnd = 0;
};

}  // namespace

std::unique_ptr<SerialPort> OpenTtyPort(const std::string& device, const LineSettings& settings) {
    platform::UniqueFd fd(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid() || !isatty(fd.get()) || !ApplyLineSettings(fd.get(), settings)) return nullptr;
    const bool pseudoTerminal = IsPseudoTerminal(fd.get());
    return std::make_unique<TtyPort>(std::move(fd), pseudoTerminal);
}

}  // namespace rs232
