#include "platform/atomicfile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/atomicfilesteps.h"
#include "platform/uniquefd.h"

namespace platform {
namespace {

constexpr int kMaxLinks = 40;

// With its trailing slash; empty for the current folder.
std::string FolderOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// Follows the links from `path` to the file they end in: 0 and that file's
// status, or errno (ENOENT when the end does not exist).
int ResolveLinks(std::string& path, struct stat& status) {
    for (int hops = 0; ::lstat(path.c_str(), &status) == 0; ++hops) {
        if (!S_ISLNK(status.st_mode)) return 0;
        if (hops == kMaxLinks) return ELOOP;
        std::array<char, PATH_MAX> target{};
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) == target.size()) return ENAMETOOLONG;
        const std::string_view link(target.data(), static_cast<std::size_t>(n));
        path = link.starts_with('/') ? std::string(link) : FolderOf(path) + std::string(link);
    }
    return errno;
}

// An existing target must be a regular file that opens as asked. The open goes
// through `path` itself, so the kernel's rules for following links apply, and
// must reach the very file the links were resolved to.
ReplaceResult ProbeOpen(const std::string& path, int access, const struct stat& resolved) {
    if (!S_ISREG(resolved.st_mode)) return {ReplaceStep::kTargetNotWritable, EINVAL};
    UniqueFd probe(::open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened {};
    if (!probe.valid() || ::fstat(probe.get(), &opened) != 0) {
        return {ReplaceStep::kTargetNotWritable, errno};
    }
    if (opened.st_dev != resolved.st_dev || opened.st_ino != resolved.st_ino) {
        return {ReplaceStep::kTargetNotWritable, EAGAIN};
    }
    return {};
}

}  // namespace

ReplaceResult ReplaceFile(const std::string& path, int access, TempNamer names,
                          const std::function<int(int fd)>& fill) {
    std::string real = path;
    struct stat status {};
    const int resolved = ResolveLinks(real, status);
    if (resolved != 0 && resolved != ENOENT) return {ReplaceStep::kTargetStatus, resolved};
    // A dangling link fails the creation test, which never follows a link.
    const bool isNew = resolved == ENOENT;
    const ReplaceResult probe =
        isNew ? atomicfile::ProbeCreate(path) : ProbeOpen(path, access, status);
    if (probe.step != ReplaceStep::kDone) return probe;

    const std::string folder = FolderOf(real);
    UniqueFd folderFd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd.valid()) return {ReplaceStep::kTempCreate, errno};
    atomicfile::TempFile temp;
    if (const auto created = temp.create(folder, real.substr(folder.size()), names);
        created.step != ReplaceStep::kDone) {
        return created;
    }
    // The replacement keeps the old file's permissions; a new file gets the usual ones.
    if (!isNew && ::fchmod(temp.fd(), status.st_mode & 07777) != 0) {
        return {ReplaceStep::kTempCreate, errno};
    }
    if (const auto filled = temp.fill(fill); filled.step != ReplaceStep::kDone) {
        return filled;
    }
    // rename replaces the target atomically, so the old or the new content survives.
    if (::rename(temp.path().c_str(), real.c_str()) != 0) return {ReplaceStep::kRename, errno};
    temp.release();
    // Only a synced folder keeps the new name after a crash.
    if (::fsync(folderFd.get()) != 0 && errno != EINVAL) return {ReplaceStep::kWrite, errno};
    return {};
}

}  // namespace platform
