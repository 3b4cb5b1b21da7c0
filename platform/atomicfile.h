// Replaces a file by a complete new one or leaves it as it was. The content
// goes to a temporary file created beside the file a symbolic link ends in (so
// the link stays a link), takes the old file's mode, is synced and renamed over
// that file; then the folder is synced. Only regular files are replaced: a
// FIFO, a device or a folder is refused before anything is opened, and a
// dangling link is refused. No temporary file outlives a call.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Where a replacement stopped, in the order of the steps. Before kRename the
// target is untouched; a failed kWrite after the rename (the folder's sync)
// leaves the new content in place, possibly not yet safe from a crash.
enum class ReplaceStep {
    kDone,
    kTargetStatus,       // the status or a link of the target path could not be read
    kTargetNotWritable,  // not a regular file, not opening as asked, or (missing) not creatable
    kProbeRemove,        // the creation test of a missing target could not be removed
    kNoTempName,         // every temporary name was taken
    kTempCreate,         // the folder or the temporary file could not be opened or set up
    kWrite,              // writing, syncing or closing
    kRename,
};

struct ReplaceResult {
    ReplaceStep step = ReplaceStep::kDone;
    int error = 0;  // errno of the failed call
};

// Name of the temporary file for attempt 0, 1, ... given the target's file
// name; an empty name ends the search.
using TempNamer = std::string (*)(std::string_view target, int attempt);

// ".<target>.XXXXXX" with random letters and digits; 100 attempts.
std::string RandomTempName(std::string_view target, int attempt);

// `access` (O_WRONLY or O_RDWR) is what an existing target must open with.
// `fill` writes the content and returns 0 or the errno of its failure.
ReplaceResult ReplaceFile(const std::string& path, int access, TempNamer names,
                          const std::function<int(int fd)>& fill);

// Every byte, retrying after a short write or a signal: 0 or errno.
int WriteAll(int fd, const void* bytes, std::size_t count);

}  // namespace platform
