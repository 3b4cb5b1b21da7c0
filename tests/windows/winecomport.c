/* For the wine tests only, preloaded into wine and wineserver: makes a COM
   port that is a Linux pseudo-terminal behave as a Windows COM port does.
   - A pty keeps 8N1 whatever is asked, and glibc's tcsetattr then reports
     EINVAL, so wine's second SetCommState fails. Accepts exactly that case, as
     our own termios backend does.
   - Windows opens a COM port for one handle at a time and refuses the next
     with "access denied"; wine opens it as often as asked. A terminal is
     locked when opened, and a second open gets EACCES, which wine reports as
     ERROR_ACCESS_DENIED. The lock goes with the last descriptor. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

int tcsetattr(int fd, int actions, const struct termios* wanted) {
    static int (*real)(int, int, const struct termios*);
    if (!real) real = (int (*)(int, int, const struct termios*))dlsym(RTLD_NEXT, "tcsetattr");
    const int result = real(fd, actions, wanted);
    if (result == 0 || errno != EINVAL) return result;
    struct termios applied;
    const tcflag_t format = CSIZE | PARENB | PARODD;
    if (tcgetattr(fd, &applied) != 0 || applied.c_iflag != wanted->c_iflag ||
        applied.c_oflag != wanted->c_oflag || applied.c_lflag != wanted->c_lflag ||
        (applied.c_cflag & ~format) != (wanted->c_cflag & ~format) ||
        cfgetospeed(&applied) != cfgetospeed(wanted)) {
        errno = EINVAL;
        return result;
    }
    return 0;
}

int open(const char* path, int flags, ...) {
    static int (*real)(const char*, int, ...);
    if (!real) real = (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, "open");
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    va_end(args);
    const int fd = real(path, flags, mode);
    if (fd < 0 || !isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    close(fd);
    errno = EACCES;
    return -1;
}
