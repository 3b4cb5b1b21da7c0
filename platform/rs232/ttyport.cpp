#include "platform/rs232/localport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

#include "platform/rs232/linetiming.h"
#include "platform/rs232/pollwait.h"
#include "platform/rs232/rs232.h"
#include "platform/uniquefd.h"

namespace rs232 {
namespace {

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

// 0, or the errno of the step that failed (EINVAL for settings no tty has).
int ApplyLineSettings(int fd, const LineSettings& settings) {
    const auto speed = SpeedFor(settings.baudRate);
    const auto size = CharacterSize(settings.dataBits);
    if (!speed || !size || settings.stopBits < 1 || settings.stopBits > 2 ||
        settings.parity < kParityNone || settings.parity > kParityEven) {
        return EINVAL;
    }
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return errno;
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
    if (cfsetispeed(&tio, *speed) != 0 || cfsetospeed(&tio, *speed) != 0) return EINVAL;
    if (tcsetattr(fd, TCSANOW, &tio) == 0) return 0;
    const int error = errno;
    return error == EINVAL && AppliedExceptCharacterFormat(fd, tio) ? 0 : error;
}

// A hung-up terminal answers everything but close with EIO.
bool MeansGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

class TtyPort final : public SerialPort {
  public:
    TtyPort(platform::UniqueFd fd, const LineSettings& settings)
        : m_fd(std::move(fd)), m_secondsPerByte(SecondsPerByte(settings)) {}
    ~TtyPort() override { close(); }
    TtyPort(const TtyPort&) = delete;
    TtyPort& operator=(const TtyPort&) = delete;

    int setTimeout(double seconds) override {
        if (!(seconds >= 0) || !std::isfinite(seconds)) return noReason();
        m_timeout = Seconds(seconds);
        return 0;
    }

    int flushInput() override {
        m_readPos = m_readEnd = 0;
        return tcflush(m_fd.get(), TCIFLUSH) == 0 ? 0 : failed(errno);
    }

    // Lets queued bytes go out rather than discarding them: a command cut off
    // on the line would spoil the next one, and what a pseudo-terminal holds
    // has left already. Fails when the queue does not empty within the timeout.
    int flushOutput() override {
        if (m_outputEmpty) return 0;
        const int drained =
            DrainOutput([this] { return outputQueueLength(); }, m_timeout, m_secondsPerByte);
        return drained > 0 ? noReason() : drained;
    }

    // Writes until all bytes are taken or the timeout, plus the time the bytes
    // need on the line, has passed; then the count taken so far.
    int write(std::span<const char> bytes) override {
        const auto deadline = Clock::now() + m_timeout + LineTime(bytes.size(), m_secondsPerByte);
        m_outputEmpty = false;
        std::size_t taken = 0;
        while (taken < bytes.size()) {
            const ssize_t n = ::write(m_fd.get(), bytes.data() + taken, bytes.size() - taken);
            if (n > 0) {
                taken += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return failed(errno);
            const int ready = await(POLLOUT, deadline);
            if (ready < 0) return ready;
            if (ready == 0) break;
        }
        return static_cast<int>(taken);
    }

    int outputQueueLength() override {
        int pending = 0;
        if (ioctl(m_fd.get(), TIOCOUTQ, &pending) != 0) return failed(errno);
        m_outputEmpty = pending == 0;
        return pending;
    }

    int readByte() override {
        if (m_readPos == m_readEnd && !fillInput()) return -1;
        return static_cast<unsigned char>(m_input[m_readPos++]);
    }

    // The exclusive flag belongs to the terminal, not to this descriptor: on a
    // pty whose other side stays open it would lock out our own next open.
    int close() override {
        if (!m_fd.valid()) return 0;
        ioctl(m_fd.get(), TIOCNXCL);
        flock(m_fd.get(), LOCK_UN);
        const int error = m_fd.close();
        return error == 0 ? 0 : failed(error);
    }

    FailureCause failureCause() const override { return m_cause; }

  private:
    int failed(int error) {
        m_cause = {error, MeansGone(error)};
        return -1;
    }
    int noReason() {
        m_cause = {};
        return -1;
    }

    // 1 when the port is ready for events, 0 when the deadline passed, -1 when
    // the device failed or went away.
    int await(short events, Clock::time_point deadline) {
        short revents = 0;
        const int ready = PollUntil(m_fd.get(), events, deadline, &revents);
        if (ready <= 0) return ready == 0 ? 0 : failed(-ready);
        // A hang-up with bytes still to read counts as ready: the read after
        // them meets the hang-up.
        if ((revents & POLLERR) || !(revents & events)) {
            m_cause = {0, true};
            return -1;
        }
        return 1;
    }

    // Waits up to the read timeout for input and takes all that is there, so
    // an answer costs a wait and a read rather than those per byte. The wait
    // comes first: when the buffer runs dry the next byte is mostly still on
    // its way (on a real line always), and a read first would come back empty.
    // After the deadline it reads once more, which is also all a zero timeout
    // does.
    bool fillInput() {
        const auto deadline = Clock::now() + m_timeout;
        for (;;) {
            const int ready = await(POLLIN, deadline);
            const ssize_t n = ::read(m_fd.get(), m_input.data(), m_input.size());
            if (n > 0) {
                m_readPos = 0;
                m_readEnd = static_cast<std::size_t>(n);
                return true;
            }
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                failed(errno);
                return false;
            }
            if (ready == 0) noReason();
            if (ready <= 0) return false;
        }
    }

    platform::UniqueFd m_fd;
    double m_secondsPerByte;
    FailureCause m_cause;
    Clock::duration m_timeout = Seconds(kDefaultTimeoutSeconds);
    std::array<char, 512> m_input{};
    std::size_t m_readPos = 0;
    std::size_t m_readEnd = 0;
    // The queue was seen empty and nothing was written since. Nobody else
    // writes to the port, so it is still empty: the flush before the next
    // command need not ask again after the wait for the last one.
    bool m_outputEmpty = false;
};

}  // namespace

std::unique_ptr<SerialPort> OpenLocalPort(const std::string& device, const LineSettings& settings,
                                          int* error) {
    platform::UniqueFd fd(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    *error = fd.valid() ? 0 : errno;
    if (*error == 0 && !isatty(fd.get())) *error = ENOTTY;
    // TIOCEXCL does not bind root, and tools run with sudo at the bench; the
    // advisory lock binds everyone who takes it, as other serial tools do.
    // Before the line settings, so a refused open leaves the holder's alone.
    if (*error == 0 && flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        *error = errno == EWOULDBLOCK ? EBUSY : errno;
    if (*error == 0) *error = ApplyLineSettings(fd.get(), settings);
    // Last, so that no failure above leaves the terminal locked: from here on
    // a second program cannot talk over this connection.
    if (*error == 0 && ioctl(fd.get(), TIOCEXCL) != 0) *error = errno;
    if (*error != 0) return nullptr;
    return std::make_unique<TtyPort>(std::move(fd), settings);
}

}  // namespace rs232
