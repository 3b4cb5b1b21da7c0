#include "platform/atomicfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/atomicfilesteps.h"
#include "platform/fileio.h"
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

namespace atomicfile {

ReplaceResult ProbeCreate(const std::string& path) {
    UniqueFd probe(OpenFile(path, O_WRONLY | O_CREAT | O_EXCL));
    if (!probe.valid()) return {ReplaceStep::kTargetNotWritable, errno};
    probe.reset();
    if (const int error = RemoveFile(path); error != 0) return {ReplaceStep::kProbeRemove, error};
    return {};
}

// Closed first: Windows keeps an open file.
TempFile::~TempFile() {
    m_fd.reset();
    if (!m_path.empty()) RemoveFile(m_path);
}

// O_CREAT with O_EXCL fails on any name that exists, a link included.
ReplaceResult TempFile::create(const std::string& folder, std::string_view target,
                               TempNamer names) {
    for (int attempt = 0;; ++attempt) {
        const std::string name = names(target, attempt);
        if (name.empty()) return {ReplaceStep::kNoTempName, EEXIST};
        const std::string path = folder + name;
        m_fd.reset(OpenFile(path, O_WRONLY | O_CREAT | O_EXCL));
        if (m_fd.valid()) return m_path = path, ReplaceResult{};
        if (errno != EEXIST) return {ReplaceStep::kTempCreate, errno};
    }
}

ReplaceResult TempFile::fill(const std::function<int(int fd)>& fill) {
    if (const int error = fill(m_fd.get()); error != 0) return {ReplaceStep::kWrite, error};
    if (const int error = SyncFile(m_fd.get()); error != 0 && error != EINVAL) {
        return {ReplaceStep::kWrite, error};
    }
    if (const int error = m_fd.close(); error != 0) return {ReplaceStep::kWrite, error};
    return {};
}

}  // namespace atomicfile

}  // namespace platform
