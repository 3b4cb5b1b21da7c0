#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/fileio.h"
#include "platform/ini/ini.h"
#include "platform/ini/iniobject.h"
#include "platform/ini/initext.h"
#include "platform/uniquefd.h"

namespace {

constexpr std::size_t kChunkSize = 2048;
constexpr std::size_t kMaxLineLength = 255;
constexpr std::string_view kContinuationMarker = " Line";

constexpr bool IsLineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// Cuts the byte stream into lines. A line end is CR, LF or NUL; a different one of
// the three right after it belongs to the same line end. Chunk borders do not matter.
class LineSplitter {
  public:
    template <typename OnLine>
    void Feed(std::string_view bytes, OnLine&& onLine) {
        for (const char c : bytes) {
            if (m_afterEnd) {
                m_afterEnd = false;
                if (IsLineEnd(c) && c != m_lastEnd) {
                    continue;
                }
            }
            if (IsLineEnd(c)) {
                onLine(std::string_view(m_line));
                m_line.clear();
                m_afterEnd = true;
                m_lastEnd = c;
            } else if (m_line.size() < kMaxLineLength) {
                m_line.push_back(c);
            }
        }
    }

    // The last line may lack a line end.
    template <typename OnLine>
    void Finish(OnLine&& onLine) {
        if (!m_line.empty()) {
            onLine(std::string_view(m_line));
        }
        m_line.clear();
    }

  private:
    std::string m_line;
    bool m_afterEnd = false;
    char m_lastEnd = 0;
};

// Turns lines into sections and items of the object, appending in file order.
class Parser {
  public:
    explicit Parser(IniObject& ini) : m_ini(ini), m_firstNew(ini.sections.size()) {}

    void Line(std::string_view line) {
        line = ini_detail::TrimLeft(line);
        if (line.empty() || line.front() == ';') {
            return;
        }
        if (line.front() == '[') {
            Header(line);
        } else {
            Item(line);
        }
    }

    std::size_t FirstNewSection() const { return m_firstNew; }

  private:
    void Header(std::string_view line) {
        const auto close = line.rfind(']');
        if (close == std::string_view::npos || !ini_detail::IsBlank(line.substr(close + 1))) {
            return;
        }
        const std::string_view name = ini_detail::Trim(line.substr(1, close - 1));
        if (name.empty()) {
            return;
        }
        m_ini.sections.push_back(IniSection{std::string(name), {}});
        m_current = m_ini.sections.size() - 1;
        m_inSection = true;
    }

    void Item(std::string_view line) {
        const auto separator = line.find('=');
        if (!m_inSection || separator == std::string_view::npos) {
            return;
        }
        const std::string_view name = ini_detail::TrimRight(line.substr(0, separator));
        std::string_view value = ini_detail::Trim(line.substr(separator + 1));
        if (name.empty() || value.empty()) {
            return;
        }
        bool quoted = false;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
            quoted = true;
        }
        m_ini.sections[m_current].items.push_back(
            IniItem{std::string(name), std::string(value), quoted});
    }

    IniObject& m_ini;
    std::size_t m_firstNew;
    std::size_t m_current = 0;
    bool m_inSection = false;
};

struct ContinuationName {
    std::string_view base;
    bool first = false;
};

// "name Line0001" gives base "name" and first; false when the name has another form.
bool SplitContinuation(std::string_view name, ContinuationName& out) {
    std::size_t digits = 0;
    while (digits < name.size() && name[name.size() - 1 - digits] >= '0' &&
           name[name.size() - 1 - digits] <= '9') {
        ++digits;
    }
    const std::size_t markerEnd = name.size() - digits;
    if (digits == 0 || markerEnd < kContinuationMarker.size() ||
        !ini_detail::EqualNoCase(
            name.substr(markerEnd - kContinuationMarker.size(), kContinuationMarker.size()),
            kContinuationMarker)) {
        return false;
    }
    std::string_view number = name.substr(markerEnd);
    while (number.size() > 1 && number.front() == '0') {
        number.remove_prefix(1);
    }
    out.base = ini_detail::TrimRight(name.substr(0, markerEnd - kContinuationMarker.size()));
    out.first = number == "1";
    return true;
}

// Joins each run "x Line0001", "x Line0002", ... into one item "x".
void JoinContinuations(IniSection& section) {
    std::vector<IniItem> joined;
    joined.reserve(section.items.size());
    bool inRun = false;
    for (IniItem& item : section.items) {
        ContinuationName part;
        const bool isPart = SplitContinuation(item.name, part);
        if (isPart && inRun && !part.first &&
            ini_detail::EqualNoCase(part.base, joined.back().name)) {
            joined.back().value += item.value;
            continue;
        }
        inRun = isPart && part.first;
        if (inRun) {
            item.name = std::string(part.base);
        }
        joined.push_back(std::move(item));
    }
    section.items = std::move(joined);
}

int ReadInto(IniObject& ini, const char* path) {
    platform::UniqueFd fd(platform::OpenFile(path, O_RDONLY));
    struct stat status {};
    if (!fd.valid() || ::fstat(fd.get(), &status) != 0 || S_ISDIR(status.st_mode)) {
        return kIniCannotOpen;
    }
    Parser parser(ini);
    LineSplitter splitter;
    const auto onLine = [&parser](std::string_view line) { parser.Line(line); };
    std::array<char, kChunkSize> chunk{};
    int code = 0;
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            code = kIniReadError;  // an unfinished line is dropped
            break;
        }
        if (n == 0) {
            splitter.Finish(onLine);
            break;
        }
        splitter.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(n)), onLine);
    }
    // Also after a failed read, so that what was read is complete and searchable.
    for (std::size_t i = parser.FirstNewSection(); i < ini.sections.size(); ++i) {
        JoinContinuations(ini.sections[i]);
    }
    if (ini.autoSort) {
        ini_detail::SortAll(ini);
    }
    return code;
}

}  // namespace

int Ini_ReadFromFile(IniHandle ini, const char* path) noexcept {
    if (ini == nullptr || path == nullptr) {
        return kIniNullArgument;
    }
    return ini_detail::GuardMemory([&] { return ReadInto(*ini, path); });
}
