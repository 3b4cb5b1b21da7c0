#include "tests/rs232/linefaults.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>

using linefaults::heldQueueReports;
using linefaults::writes;

extern "C" {

ssize_t __real_write(int fd, const void* bytes, size_t count);
ssize_t __wrap_write(int fd, const void* bytes, size_t count) {
    if (writes.empty()) return __real_write(fd, bytes, count);
    const int step = writes.front();
    if (writes.size() > 1) writes.pop_front();
    if (step < 0) return errno = EAGAIN, -1;
    return __real_write(fd, bytes, std::min(count, static_cast<size_t>(step)));
}

int __real_ioctl(int fd, unsigned long request, ...);
int __wrap_ioctl(int fd, unsigned long request, ...) {
    va_list rest;
    va_start(rest, request);
    void* argument = va_arg(rest, void*);  // every request of the backend takes at most one
    va_end(rest);
    if (request != TIOCOUTQ || heldQueueReports == 0) return __real_ioctl(fd, request, argument);
    if (heldQueueReports > 0) --heldQueueReports;
    *static_cast<int*>(argument) = 1;
    return 0;
}

}  // extern "C"
