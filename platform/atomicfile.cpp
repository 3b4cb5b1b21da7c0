#include "platform/atomicfile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/randomnumber.h"

namespace platform {
namespace {

constexpr int kRandomNameAttempts = 100;
constexpr int kRandomLetters = 6;
constexpr std::string_view kNameLetters = "abcdefghijklmnopqrstuvwxyz0123456789";

}  // namespace

std::string RandomTempName(std::string_view target, int attempt) {
    if (attempt == kRandomNameAttempts) return {};
    std::string name(1, '.');
    name.append(target).push_back('.');
    for (int i = 0; i < kRandomLetters; ++i) {
        name += kNameLetters[RandomBelow(static_cast<std::uint32_t>(kNameLetters.size()))];
    }
    return name;
}

int WriteAll(int fd, const void* bytes, std::size_t count) {
    const auto* next = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t n = ::write(fd, next, count);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        next += n;
        count -= static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace platform
