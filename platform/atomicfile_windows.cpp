#include <windows.h>

#include <fcntl.h>

#include <cerrno>

#include "platform/atomicfile.h"
#include "platform/atomicfilesteps.h"
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

// An existing target must be a plain file that opens as asked.
ReplaceResult ProbeOpen(const std::string& path, int access, DWORD attributes) {
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
        return {ReplaceStep::kTargetNotWritable, EINVAL};
    }
    UniqueFd probe(OpenFile(path, access));
    if (!probe.valid()) return {ReplaceStep::kTargetNotWritable, errno};
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
    const ReplaceResult probe =
        isNew ? atomicfile::ProbeCreate(path) : ProbeOpen(path, access, attributes);
    if (probe.step != ReplaceStep::kDone) return probe;

    const std::string folder = FolderOf(path);
    atomicfile::TempFile temp;
    if (const auto created = temp.create(folder, path.substr(folder.size()), names);
        created.step != ReplaceStep::kDone) {
        return created;
    }
    if (const auto filled = temp.fill(fill); filled.step != ReplaceStep::kDone) {
        return filled;
    }
    // The old or the new content survives; write-through returns only once
    // the new name is on the disk.
    if (!MoveFileExW(Widen(temp.path()).c_str(), Widen(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {ReplaceStep::kRename, ErrnoFromWindowsError(GetLastError())};
    }
    temp.release();
    return {};
}

}  // namespace platform
