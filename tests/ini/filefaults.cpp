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
thread_local int t_step = 0, t_error = 0, t_reached = 0;
thread_local std::set<int> t_created;

// True, with errno set, when this call is the armed one.
bool Hit() {
    if (t_fault == Fault::kNone || ++t_reached != t_step) return false;
    if (t_fault == Fault::kKill) std::raise(SIGKILL);
    return errno = t_error, true;
}

}  // namespace

void Arm(int step, Fault fault, int error) {
    t_fault = fault, t_step = step, t_error = error, t_reached = 0;
}

}  // namespace filefaults

// Fails the call when it is the armed one, else passes it on.
#define WRAP(type, name, params, args)                      \
    type __real_##name params;                              \
    type __wrap_##name params {                             \
        return filefaults::Hit() ? -1 : __real_##name args; \
    }

extern "C" {

WRAP(int, stat, (const char* path, struct stat* status), (path, status))
WRAP(int, lstat, (const char* path, struct stat* status), (path, status))
WRAP(ssize_t, write, (int fd, const void* bytes, size_t count), (fd, bytes, count))
WRAP(int, fsync, (int fd), (fd))
WRAP(int, fchmod, (int fd, mode_t mode), (fd, mode))
WRAP(int, rename, (const char* from, const char* to), (from, to))
WRAP(int, unlink, (const char* path), (path))

int __real_open(const char* path, int flags, ...);
int __wrap_open(const char* path, int flags, ...) {
    va_list rest;
    va_start(rest, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(rest, mode_t) : 0;
    va_end(rest);
    const int fd = filefaults::Hit() ? -1 : __real_open(path, flags, mode);
    if (fd >= 0 && (flags & O_EXCL)) filefaults::t_created.insert(fd);
    return fd;
}

// Only the close of a file created with O_EXCL counts; the descriptor is freed anyway.
int __real_close(int fd);
int __wrap_close(int fd) {
    const bool fails = filefaults::t_created.erase(fd) == 1 && filefaults::Hit();
    const int rc = __real_close(fd);
    return fails ? (errno = filefaults::t_error, -1) : rc;
}

}  // extern "C"
