// Appends bytes to an open file from a thread of its own, so that the caller
// never waits for the disk: append() only copies into memory; the thread
// writes what has gathered and syncs it to the disk at once, then every
// interval. The first failed write or sync ends the thread: failure() then
// holds its errno and later bytes are dropped. close() writes and syncs the
// rest, ends the thread and closes the file; the destructor does the same.
// append(), failure() and close() belong to one thread, the owner's.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/uniquefd.h"

namespace platform {

class FlushingWriter {
  public:
    FlushingWriter(UniqueFd file, std::chrono::milliseconds interval);
    ~FlushingWriter();
    FlushingWriter(const FlushingWriter&) = delete;
    FlushingWriter& operator=(const FlushingWriter&) = delete;

    void append(std::string_view bytes);
    // The errno of the first failure, 0 while every write and sync succeeded.
    int failure() const { return m_failure.load(std::memory_order_relaxed); }
    // 0, or the errno of the first failure, of the last write or sync, or of
    // closing the file. Once closed, append() drops and close() returns 0.
    int close();

  private:
    void run();
    int writeAndSync(const std::string& bytes) const;

    UniqueFd m_file;
    const std::chrono::milliseconds m_interval;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::string m_pending;  // guarded by m_mutex
    bool m_stop = false;    // guarded by m_mutex
    std::atomic<int> m_failure{0};
    bool m_closed = false;
    std::thread m_thread;  // last: starts once everything above is ready
};

}  // namespace platform
