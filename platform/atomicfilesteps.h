// The steps of a file replacement (atomicfile.h) that are the same on every
// system; the rest, how the target is found and how the new file takes its
// place, is in atomicfile_posix.cpp and atomicfile_windows.cpp.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/atomicfile.h"
#include "platform/uniquefd.h"

namespace platform::atomicfile {

// A missing target must be creatable; the test file goes again at once.
ReplaceResult ProbeCreate(const std::string& path);

// The temporary file beside the target, removed again unless released.
class TempFile {
  public:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    // The first free name in folder; creating it never follows a link
    // planted there.
    ReplaceResult create(const std::string& folder, std::string_view target, TempNamer names);
    // The content, synced to the disk before it may replace the old file;
    // the file is closed after.
    ReplaceResult fill(const std::function<int(int fd)>& fill);
    int fd() const { return m_fd.get(); }
    const std::string& path() const { return m_path; }
    // The file has taken the target's place: nothing to remove.
    void release() { m_path.clear(); }

  private:
    UniqueFd m_fd;
    std::string m_path;
};

}  // namespace platform::atomicfile
