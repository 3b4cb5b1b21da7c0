#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ini/ini.h"
#include "platform/ini/iniobject.h"
#include "platform/uniquefd.h"

namespace {

constexpr std::size_t kOutputBufferSize = 16 * 1024;
constexpr std::size_t kMaxValuePerLine = 80;
constexpr int kTempNameCount = 1000;
constexpr std::string_view kLineEnd = "\r\n";

int CodeForErrno(int error) {
    switch (error) {
        case ENOMEM:
            return kIniOutOfMemory;
        case EACCES:
        case EPERM:
            return kIniNotWritable;
        case ENOSPC:
        case EDQUOT:
            return kIniDiskFull;
        default:
            return kIniIoError;
    }
}

int CodeForRenameErrno(int error) {
    return error == ENOENT ? kIniFileNotFound : CodeForErrno(error);
}

// Collects output in a 16 KB buffer; the first failing write sticks and later output is
// dropped.
class BufferedWriter {
  public:
    explicit BufferedWriter(int fd) : m_fd(fd) {}

    void Append(std::string_view text) {
        while (!text.empty() && m_errno == 0) {
            if (m_used == m_buffer.size()) {
                Flush();
                continue;
            }
            const std::size_t n = std::min(text.size(), m_buffer.size() - m_used);
            text.copy(m_buffer.data() + m_used, n);
            m_used += n;
            text.remove_prefix(n);
        }
    }

    // errno of the first failure, 0 when everything reached the file.
    int Flush() {
        std::size_t done = 0;
        while (done < m_used && m_errno == 0) {
            const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_used - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && errno != EINTR) {
                m_errno = errno;
            } else if (n == 0) {
                m_errno = EIO;
            }
        }
        m_used = 0;
        return m_errno;
    }

  private:
    int m_fd;
    std::array<char, kOutputBufferSize> m_buffer{};
    std::size_t m_used = 0;
    int m_errno = 0;
};

// Removes the temporary file on every path that does not hand it over to the target.
class TempFileGuard {
  public:
    explicit TempFileGuard(std::string path) : m_path(std::move(path)) {}
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    ~TempFileGuard() {
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }
    const std::string& Path() const { return m_path; }
    void Release() { m_path.clear(); }

  private:
    std::string m_path;
};

int CheckWritable(const char* path) {
    struct stat status {};
    if (::stat(path, &status) == 0) {
        platform::UniqueFd probe(::open(path, O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        return probe.valid() ? 0 : kIniNotWritable;
    }
    if (errno != ENOENT) {
        return (errno == ENOTDIR || errno == EACCES || errno == EPERM) ? kIniNotWritable
                                                                       : kIniStatFailed;
    }
    platform::UniqueFd probe(::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!probe.valid()) {
        return kIniNotWritable;
    }
    probe.close();
    // A probe left behind would stand where the operator had no file before.
    if (::unlink(path) != 0) return kIniIoError;
    return 0;
}

std::string DirectoryOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// First free name "ini$$N.TMP" in the target's directory, or a failure code.
int FindTempName(const std::string& directory, std::string& name) {
    for (int counter = 0; counter < kTempNameCount; ++counter) {
        name = directory + "ini$$" + std::to_string(counter) + ".TMP";
        struct stat status {};
        if (::lstat(name.c_str(), &status) != 0) {
            return errno == ENOENT ? 0 : kIniStatFailed;
        }
    }
    return kIniNoTempName;
}

void WriteItem(BufferedWriter& out, const IniItem& item) {
    const std::string_view quote = item.quoted ? "\"" : "";
    const auto writeLine = [&](std::string_view name, std::string_view value) {
        out.Append(name);
        out.Append(" = ");
        out.Append(quote);
        out.Append(value);
        out.Append(quote);
        out.Append(kLineEnd);
    };
    if (item.value.size() <= kMaxValuePerLine) {
        writeLine(item.name, item.value);
        return;
    }
    std::string_view rest = item.value;
    for (int part = 1; !rest.empty(); ++part) {
        std::array<char, 16> counter{};
        std::snprintf(counter.data(), counter.size(), "%04d", part);
        writeLine(item.name + " Line" + counter.data(), rest.substr(0, kMaxValuePerLine));
        rest.remove_prefix(std::min(rest.size(), kMaxValuePerLine));
    }
}

void WriteObject(BufferedWriter& out, const IniObject& ini) {
    for (const IniSection& section : ini.sections) {
        out.Append("[");
        out.Append(section.name);
        out.Append("]");
        out.Append(kLineEnd);
        for (const IniItem& item : section.items) {
            WriteItem(out, item);
        }
        out.Append(kLineEnd);
    }
}

int WriteToFile(const IniObject& ini, const char* path) {
    if (const int code = CheckWritable(path); code != 0) {
        return code;
    }
    std::string tempName;
    if (const int code = FindTempName(DirectoryOf(path), tempName); code != 0) {
        return code;
    }
    platform::UniqueFd fd(
        ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (!fd.valid()) {
        return kIniCannotCreateTemp;
    }
    TempFileGuard temp(tempName);
    {
        auto out = std::make_unique<BufferedWriter>(fd.get());
        WriteObject(*out, ini);
        if (const int error = out->Flush(); error != 0) {
            return CodeForErrno(error);
        }
    }
    // The data must be on disk before it replaces the old file.
    if (::fsync(fd.get()) != 0 && errno != EINVAL) {
        return CodeForErrno(errno);
    }
    if (const int error = fd.close(); error != 0) {
        return CodeForErrno(error);
    }
    // rename replaces the target atomically, so the old or the new content survives.
    if (::rename(temp.Path().c_str(), path) != 0) {
        return CodeForRenameErrno(errno);
    }
    temp.Release();
    return 0;
}

}  // namespace

int Ini_WriteToFile(IniHandle ini, const char* path) noexcept {
    if (ini == nullptr || path == nullptr) {
        return kIniNullArgument;
    }
    return ini_detail::GuardMemory([&] { return WriteToFile(*ini, path); });
}
