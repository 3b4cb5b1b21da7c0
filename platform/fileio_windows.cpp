#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/fileio.h"
#include "platform/windowsapi.h"

namespace platform {

int OpenFile(const std::string& path, int flags, int /*mode*/) {
    // Windows knows only read-only files; a new file is writable for its owner.
    return ::_wopen(Widen(path).c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

// Windows has no FIFOs in the file system.
int OpenFileNoWait(const std::string& path, int flags, int mode) {
    return OpenFile(path, flags, mode);
}

int RemoveFile(const std::string& path) {
    return DeleteFileW(Widen(path).c_str()) ? 0 : ErrnoFromWindowsError(GetLastError());
}

bool IsDiskFull(int error) {
    return error == ENOSPC;
}

int SyncFile(int fd) {
    return ::_commit(fd) == 0 ? 0 : errno;
}

int SyncFileData(int fd) {
    return SyncFile(fd);
}

// NTFS journals its names; MoveFileEx's write-through covers the replacements.
int SyncFolder(const std::string& /*folder*/) {
    return 0;
}

}  // namespace platform
