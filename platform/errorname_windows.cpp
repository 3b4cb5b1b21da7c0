#include <cerrno>

#include "platform/errorname.h"

namespace platform {

// The C library has no names; these are the values the program can meet.
const char* ErrorName(int error) {
    switch (error) {
        case EPERM:
            return "EPERM";
        case ENOENT:
            return "ENOENT";
        case EINTR:
            return "EINTR";
        case EIO:
            return "EIO";
        case ENXIO:
            return "ENXIO";
        case EBADF:
            return "EBADF";
        case EAGAIN:
            return "EAGAIN";
        case ENOMEM:
            return "ENOMEM";
        case EACCES:
            return "EACCES";
        case EBUSY:
            return "EBUSY";
        case EEXIST:
            return "EEXIST";
        case ENODEV:
            return "ENODEV";
        case ENOTDIR:
            return "ENOTDIR";
        case EISDIR:
            return "EISDIR";
        case EINVAL:
            return "EINVAL";
        case EMFILE:
            return "EMFILE";
        case ENOTTY:
            return "ENOTTY";
        case ENOSPC:
            return "ENOSPC";
        case EROFS:
            return "EROFS";
        case EPIPE:
            return "EPIPE";
        case ENAMETOOLONG:
            return "ENAMETOOLONG";
        case ENOSYS:
            return "ENOSYS";
        case ETIMEDOUT:
            return "ETIMEDOUT";
        default:
            return nullptr;
    }
}

}  // namespace platform
