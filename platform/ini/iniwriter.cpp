#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/atomicfile.h"
#include "platform/fileio.h"
#include "platform/ini/ini.h"
#include "platform/ini/iniobject.h"

namespace {

constexpr std::size_t kOutputBufferSize = 16 * 1024;
constexpr std::size_t kMaxValuePerLine = 80;
constexpr int kTempNameCount = 1000;
constexpr std::string_view kLineEnd = "\r\n";

int CodeForErrno(int error) {
    if (platform::IsDiskFull(error)) return kIniDiskFull;
    switch (error) {
        case ENOMEM:
            return kIniOutOfMemory;
        case EACCES:
        case EPERM:
            return kIniNotWritable;
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
        if (m_errno == 0) m_errno = platform::WriteAll(m_fd, m_buffer.data(), m_used);
        m_used = 0;
        return m_errno;
    }

  private:
    int m_fd;
    std::array<char, kOutputBufferSize> m_buffer{};
    std::size_t m_used = 0;
    int m_errno = 0;
};

// The first free name "ini$$N.TMP" in the target's folder.
std::string IniTempName(std::string_view, int attempt) {
    return attempt < kTempNameCount ? "ini$$" + std::to_string(attempt) + ".TMP" : std::string();
}

int CodeFor(const platform::ReplaceResult& result) {
    switch (result.step) {
        case platform::ReplaceStep::kDone:
            return 0;
        case platform::ReplaceStep::kTargetStatus:
            return (result.error == ENOTDIR || result.error == EACCES || result.error == EPERM)
                       ? kIniNotWritable
                       : kIniStatFailed;
        case platform::ReplaceStep::kTargetNotWritable:
            return kIniNotWritable;
        case platform::ReplaceStep::kProbeRemove:
            // A probe left behind would stand where the operator had no file before.
            return kIniIoError;
        case platform::ReplaceStep::kNoTempName:
            return kIniNoTempName;
        case platform::ReplaceStep::kTempCreate:
            return kIniCannotCreateTemp;
        case platform::ReplaceStep::kWrite:
            return CodeForErrno(result.error);
        case platform::ReplaceStep::kRename:
            return CodeForRenameErrno(result.error);
    }
    return kIniIoError;
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
    return CodeFor(platform::ReplaceFile(path, O_RDWR, IniTempName, [&ini](int fd) {
        auto out = std::make_unique<BufferedWriter>(fd);
        WriteObject(*out, ini);
        return out->Flush();
    }));
}

}  // namespace

int Ini_WriteToFile(IniHandle ini, const char* path) noexcept {
    if (ini == nullptr || path == nullptr) {
        return kIniNullArgument;
    }
    return ini_detail::GuardMemory([&] { return WriteToFile(*ini, path); });
}
