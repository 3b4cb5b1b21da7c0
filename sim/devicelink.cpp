#include "sim/devicelink.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace zan1sim {
namespace {

std::optional<std::string> LinkTarget(const std::string& path) {
    std::array<char, 4096> buffer{};
    const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<std::size_t>(n) == buffer.size()) {
        return std::nullopt;
    }
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

}  // namespace

std::optional<DeviceLink> DeviceLink::create(const std::string& target, const std::string& path,
                                             std::string* error) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            *error = path + " exists and is not a symbolic link";
            return std::nullopt;
        }
        unlink(path.c_str());
    }
    if (symlink(target.c_str(), path.c_str()) != 0) {
        *error = "symlink " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return DeviceLink(target, path);
}

DeviceLink::DeviceLink(std::string target, std::string path)
    : m_target(std::move(target)), m_path(std::move(path)) {}

DeviceLink::DeviceLink(DeviceLink&& other) noexcept
    : m_target(std::move(other.m_target)), m_path(std::exchange(other.m_path, {})) {}

DeviceLink::~DeviceLink() {
    // Leave the path alone if someone else has put their own link there meanwhile.
    if (!m_path.empty() && LinkTarget(m_path) == m_target) {
        unlink(m_path.c_str());
    }
}

}  // namespace zan1sim
