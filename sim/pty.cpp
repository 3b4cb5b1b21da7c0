#include "sim/pty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace zan1sim {
namespace {

std::optional<Pty> Fail(std::string* error, const char* what, int err) {
    if (error) {
        *error = std::string(what) + ": " + std::strerror(err);
    }
    return std::nullopt;
}

}  // namespace

std::optional<Pty> OpenPty(std::string* error) {
    Pty pty;
    pty.master.reset(posix_openpt(O_RDWR | O_NOCTTY));
    if (!pty.master.valid()) {
        return Fail(error, "posix_openpt", errno);
    }
    const int m = pty.master.get();
    if (fcntl(m, F_SETFD, FD_CLOEXEC) != 0 ||
        fcntl(m, F_SETFL, fcntl(m, F_GETFL) | O_NONBLOCK) != 0) {
        return Fail(error, "fcntl", errno);
    }
    if (grantpt(m) != 0) {
        return Fail(error, "grantpt", errno);
    }
    if (unlockpt(m) != 0) {
        return Fail(error, "unlockpt", errno);
    }
    std::array<char, 128> name{};
    if (const int err = ptsname_r(m, name.data(), name.size()); err != 0) {
        return Fail(error, "ptsname_r", err);
    }
    pty.path = name.data();
    pty.terminal.reset(open(pty.path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!pty.terminal.valid()) {
        const int err = errno;
        return Fail(error, ("open " + pty.path).c_str(), err);
    }
    termios tio{};
    if (tcgetattr(pty.terminal.get(), &tio) != 0) {
        return Fail(error, "tcgetattr", errno);
    }
    cfmakeraw(&tio);
    if (tcsetattr(pty.terminal.get(), TCSANOW, &tio) != 0) {
        return Fail(error, "tcsetattr", errno);
    }
    return pty;
}

}  // namespace zan1sim
