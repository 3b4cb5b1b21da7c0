#include <cerrno>

#include "platform/errorname.h"

namespace platform {
namespace {

struct ErrnoName {
    int value;
    const char* name;
};

// The C library of Windows has no names; these are the values the program meets.
constexpr ErrnoName kNames[] = {
    {EPERM, "EPERM"},     {ENOENT, "ENOENT"},      {EINTR, "EINTR"},
    {EIO, "EIO"},         {ENXIO, "ENXIO"},        {EBADF, "EBADF"},
    {EAGAIN, "EAGAIN"},   {ENOMEM, "ENOMEM"},      {EACCES, "EACCES"},
    {EBUSY, "EBUSY"},     {EEXIST, "EEXIST"},      {ENODEV, "ENODEV"},
    {ENOTDIR, "ENOTDIR"}, {EISDIR, "EISDIR"},      {EINVAL, "EINVAL"},
    {EMFILE, "EMFILE"},   {ENOTTY, "ENOTTY"},      {ENOSPC, "ENOSPC"},
    {EROFS, "EROFS"},     {EPIPE, "EPIPE"},        {ENAMETOOLONG, "ENAMETOOLONG"},
    {ENOSYS, "ENOSYS"},   {ETIMEDOUT, "ETIMEDOUT"}};

}  // namespace

const char* ErrorName(int error) {
    for (const auto& [value, name] : kNames) {
        if (value == error) return name;
    }
    return nullptr;
}

}  // namespace platform
