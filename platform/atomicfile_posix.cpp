#include "platform/atomicfile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

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

// A missing target must be creatable; the test file goes again at once.
ReplaceResult ProbeCreate(const std::string& path) {
    UniqueFd probe(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666));
    if (!probe.valid()) return {ReplaceStep::kTargetNotWritable, errno};
    probe.reset();
    if (::unlink(path.c_str()) != 0) return {ReplaceStep::kProbeRemove, errno};
    return {};
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

// Removes the temporary file unless it was handed over to the target.
class TempFile {
  public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!m_path.empty()) ::unlink(m_path.c_str());
    }

    // The first free name, created without following anything planted there.
    ReplaceResult Create(const std::string& folder, std::string_view target, TempNamer names) {
        for (int attempt = 0;; ++attempt) {
            const std::string name = names(target, attempt);
            if (name.empty()) return {ReplaceStep::kNoTempName, EEXIST};
            const std::string path = folder + name;
            m_fd.reset(::open(path.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                              0666));
            if (m_fd.valid()) return m_path = path, ReplaceResult{};
            if (errno != EEXIST) return {ReplaceStep::kTempCreate, errno};
        }
    }
    UniqueFd& Fd() { return m_fd; }
    const std::string& Path() const { return m_path; }
    void Release() { m_path.clear(); }

  private:
    UniqueFd m_fd;
    std::string m_path;
};

ReplaceResult Fill(UniqueFd& fd, const std::function<int(int fd)>& fill) {
    if (const int error = fill(fd.get()); error != 0) return {ReplaceStep::kWrite, error};
    // The data must be on disk before it replaces the old file.
    if (::fsync(fd.get()) != 0 && errno != EINVAL) return {ReplaceStep::kWrite, errno};
    if (const int error = fd.close(); error != 0) return {ReplaceStep::kWrite, error};
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
    const ReplaceResult probe = isNew ? ProbeCreate(path) : ProbeOpen(path, access, status);
    if (probe.step != ReplaceStep::kDone) return probe;

    const std::string folder = FolderOf(real);
    UniqueFd folderFd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd.valid()) return {ReplaceStep::kTempCreate, errno};
    TempFile temp;
    if (const auto created = temp.Create(folder, real.substr(folder.size()), names);
        created.step != ReplaceStep::kDone) {
        return created;
    }
    // The replacement keeps the old file's permissions; a new file gets the usual ones.
    if (!isNew && ::fchmod(temp.Fd().get(), status.st_mode & 07777) != 0) {
        return {ReplaceStep::kTempCreate, errno};
    }
    if (const auto filled = Fill(temp.Fd(), fill); filled.step != ReplaceStep::kDone) {
        return filled;
    }
    // rename replaces the target atomically, so the old or the new content survives.
    if (::rename(temp.Path().c_str(), real.c_str()) != 0) return {ReplaceStep::kRename, errno};
    temp.Release();
    // Only a synced folder keeps the new name after a crash.
    if (::fsync(folderFd.get()) != 0 && errno != EINVAL) return {ReplaceStep::kWrite, errno};
    return {};
}

}  // namespace platform
