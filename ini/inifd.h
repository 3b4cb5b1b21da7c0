#pragma once

// Owns a POSIX file descriptor; closes it when it goes out of scope.

#include <unistd.h>

#include <cerrno>
#include <utility>

namespace ini_detail {

class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Reset(); }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }

    // Closes now and reports close's errno (0 on success), for writers that must
    // know whether the data reached the file.
    int Close() {
        if (m_fd < 0) {
            return 0;
        }
        const int result = ::close(std::exchange(m_fd, -1));
        return result == 0 ? 0 : errno;
    }

  private:
    void Reset() {
        if (m_fd >= 0) {
            ::close(std::exchange(m_fd, -1));
        }
    }

    int m_fd = -1;
};

}  // namespace ini_detail
