// Opening and syncing files the same way on every system. Paths are UTF-8;
// descriptors are the C library's, so read, write and close work on them.
#pragma once

#include <string>

namespace platform {

// open(path, flags, mode), never inherited by child processes, never a
// controlling terminal and, on Windows, in binary mode: a descriptor, or -1
// with errno set.
int OpenFile(const std::string& path, int flags, int mode = 0666);

// The same, but a FIFO without a reader fails rather than blocking; the
// descriptor then blocks as usual.
int OpenFileNoWait(const std::string& path, int flags, int mode = 0666);

// Removes the file: 0 or errno.
int RemoveFile(const std::string& path);

// A full disk or, where there are quotas, an exhausted one.
bool IsDiskFull(int error);

// Waits until the file's data is on the disk: 0, or errno (EINVAL for a pipe
// or terminal, which cannot be synced and needs no sync).
int SyncFile(int fd);
// The same for the data alone, without times that need no sync.
int SyncFileData(int fd);

// Makes the names in folder (empty: the current one) survive a crash: 0 or
// errno.
int SyncFolder(const std::string& folder);

}  // namespace platform
