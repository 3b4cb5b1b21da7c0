// Owns one POSIX file descriptor and closes it on destruction.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = fd;
    }
    // Closes now and returns close's errno (0 on success), for callers that
    // must know whether the device or file took everything.
    int close() {
        if (m_fd < 0) return 0;
        return ::close(std::exchange(m_fd, -1)) == 0 ? 0 : errno;
    }

  private:
    int m_fd = -1;
};

}  // namespace platform
