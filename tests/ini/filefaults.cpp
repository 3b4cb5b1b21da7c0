#include "filefaults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <set>

namespace filefaults {
namespace {

thread_local Fault t_fault = Fault::kNone;
thread_local int t_step = 0;
thread_local int t_error = 0;
thread_local int t_reached = 0;
thread_local std::set<int> t_created;

// True, with errno set, when this call is the armed one.
bool Hit() {
    if (t_fault == Fault::kNone || ++t_reached != t_step) return false;
    if (t_fault == Fault::kKill) std::raise(SIGKILL);
    errno = t_error;
    return true;
}

}  // namespace

void Arm(int step, Fault fault, int error) {
    t_fault = fault;
    t_step = step;
    t_error = error;
    t_reached = 0;
}

int Reached() {
    return t_reached;
}

}  // namespace filefaults

using filefaults::Hit;

extern "C" {

int __real_stat(const char* path, struct stat* status);
int __real_lstat(const char* path, struct stat* status);
int __real_open(const char* path, int flags, ...);
ssize_t __real_write(int fd, const void* bytes, size_t count);
int __real_fsync(int fd);
int __real_close(int fd);
int __real_rename(const char* from, const char* to);
int __real_unlink(const char* path);

int __wrap_stat(const char* path, struct stat* status) {
    return Hit() ? -1 : __real_stat(path, status);
}
int __wrap_lstat(const char* path, struct stat* status) {
    return Hit() ? -1 : __real_lstat(path, status);
}
int __wrap_open(const char* path, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(rest, mode_t) : 0;
    va_end(rest);
    if (Hit()) return -1;
    const int fd = __real_open(path, flags, mode);
    if (fd >= 0 && (flags & O_EXCL)) filefaults::t_created.insert(fd);
    return fd;
}
ssize_t __wrap_write(int fd, const void* bytes, size_t count) {
    return Hit() ? -1 : __real_write(fd, bytes, count);
}
int __wrap_fsync(int fd) {
    return Hit() ? -1 : __real_fsync(fd);
}
int __wrap_close(int fd) {
    if (filefaults::t_created.erase(fd) == 1 && Hit()) {
        const int error = errno;
        __real_close(fd);
        errno = error;
        return -1;
    }
    return __real_close(fd);
}
int __wrap_rename(const char* from, const char* to) {
    return Hit() ? -1 : __real_rename(from, to);
}
int __wrap_unlink(const char* path) {
    return Hit() ? -1 : __real_unlink(path);
}

}  // extern "C"
