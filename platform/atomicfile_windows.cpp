#include <windows.h>

#include <fcntl.h>

#include <cerrno>

#include "platform/atomicfile.h"
#include "platform/fileio.h"
#include "platform/uniquefd.h"
#include "platform/windowsapi.h"

// windows.h names its own ReplaceFileA/W so; ours is platform::ReplaceFile.
#undef ReplaceFile

namespace platform {
namespace {

// With its trailing separator; empty for the current folder.
std::string FolderOf(const std::string& path) {
    const auto separator = path.find_last_of("/\\:");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

// A missing target must be creatable; the test file goes again at once.
ReplaceResult ProbeCreate(const std::string& path) {
    UniqueFd probe(OpenFile(path, O_WRONLY | O_CREAT | O_EXCL));
    if (!probe.valid()) return {ReplaceStep::kTargetNotWritable, errno};
    probe.reset();
    if (!DeleteFileW(Widen(path).c_str())) {
        return {ReplaceStep::kProbeRemove, ErrnoFromWindowsError(GetLastError())};
    }
    return {};
}

// An existing target must be a plain file that opens as asked.
ReplaceResult ProbeOpen(const std::string& path, int access, DWORD attributes) {
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
        return {ReplaceStep::kTargetNotWritable, EINVAL};
    }
    UniqueFd probe(OpenFile(path, access));
    if (!probe.valid()) return {ReplaceStep::kTargetNotWritable, errno};
    return {};
}

// Removes the temporary file unless it was handed over to the target.
class TempFile {
  public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        m_fd.reset();
        if (!m_path.empty()) DeleteFileW(Widen(m_path).c_str());
    }

    ReplaceResult Create(const std::string& folder, std::string_view target, TempNamer names) {
        for (int attempt = 0;; ++attempt) {
            const std::string name = names(target, attempt);
            if (name.empty()) return {ReplaceStep::kNoTempName, EEXIST};
            const std::string path = folder + name;
            m_fd.reset(OpenFile(path, O_WRONLY | O_CREAT | O_EXCL));
            if (m_fd.valid()) return m_path = path, ReplaceResult{};
            if (errno != EEXIST) return {ReplaceStep::kTempCreate, errno};
        }
    }
    UniqueFd& Fd() { return m_fd; }
    const std::string& Path() const { return m_path; }
    void Release() { m_path.clear(); }

  private:
    UniqueFd m_fd;
    std::string m_path;
};

ReplaceResult Fill(UniqueFd& fd, const std::function<int(int fd)>& fill) {
    if (const int error = fill(fd.get()); error != 0) return {ReplaceStep::kWrite, error};
    // The data must be on disk before it replaces the old file.
    if (const int error = SyncFile(fd.get()); error != 0) return {ReplaceStep::kWrite, error};
    if (const int error = fd.close(); error != 0) return {ReplaceStep::kWrite, error};
    return {};
}

}  // namespace

ReplaceResult ReplaceFile(const std::string& path, int access, TempNamer names,
                          const std::function<int(int fd)>& fill) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    const DWORD statusError = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
    // A missing folder fails the creation test, as on POSIX.
    const bool isNew = statusError == ERROR_FILE_NOT_FOUND || statusError == ERROR_PATH_NOT_FOUND;
    if (statusError != 0 && !isNew) {
        return {ReplaceStep::kTargetStatus, ErrnoFromWindowsError(statusError)};
    }
    const ReplaceResult probe = isNew ? ProbeCreate(path) : ProbeOpen(path, access, attributes);
    if (probe.step != ReplaceStep::kDone) return probe;

    const std::string folder = FolderOf(path);
    TempFile temp;
    if (const auto created = temp.Create(folder, path.substr(folder.size()), names);
        created.step != ReplaceStep::kDone) {
        return created;
    }
    if (const auto filled = Fill(temp.Fd(), fill); filled.step != ReplaceStep::kDone) {
        return filled;
    }
    // The old or the new content survives; write-through returns only once
    // the new name is on the disk.
    if (!MoveFileExW(Widen(temp.Path()).c_str(), Widen(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {ReplaceStep::kRename, ErrnoFromWindowsError(GetLastError())};
    }
    temp.Release();
    return {};
}

}  // namespace platform
