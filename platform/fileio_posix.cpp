#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fileio.h"
#include "platform/uniquefd.h"

namespace platform {

int OpenFile(const std::string& path, int flags, int mode) {
    return ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY, mode);
}

int OpenFileNoWait(const std::string& path, int flags, int mode) {
    const int fd = OpenFile(path, flags | O_NONBLOCK, mode);
    if (fd < 0 || ::fcntl(fd, F_SETFL, 0) == 0) return fd;
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

int RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

bool IsDiskFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

int SyncFile(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

int SyncFileData(int fd) {
    return ::fdatasync(fd) == 0 ? 0 : errno;
}

int SyncFolder(const std::string& folder) {
    const UniqueFd fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) return errno;
    return ::fsync(fd.get()) == 0 || errno == EINVAL ? 0 : errno;
}

}  // namespace platform
