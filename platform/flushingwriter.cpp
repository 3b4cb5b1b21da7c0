#include "platform/flushingwriter.h"

#include <cerrno>
#include <utility>

#include "platform/atomicfile.h"
#include "platform/fileio.h"

namespace platform {

FlushingWriter::FlushingWriter(UniqueFd file, std::chrono::milliseconds interval)
    : m_file(std::move(file)), m_interval(interval), m_thread([this] { run(); }) {}

FlushingWriter::~FlushingWriter() {
    close();
}

void FlushingWriter::append(std::string_view bytes) {
    if (m_closed || failure() != 0) return;
    const std::lock_guard lock(m_mutex);
    m_pending += bytes;
}

int FlushingWriter::close() {
    if (m_closed) return 0;
    m_closed = true;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
    const int closing = m_file.close();
    return failure() != 0 ? failure() : closing;
}

int FlushingWriter::writeAndSync(const std::string& bytes) const {
    if (bytes.empty()) return 0;
    if (const int error = WriteAll(m_file.get(), bytes.data(), bytes.size())) return error;
    // A pipe or a terminal cannot be synced and needs no sync.
    const int error = SyncFileData(m_file.get());
    return error == EINVAL ? 0 : error;
}

void FlushingWriter::run() {
    // Swapped with m_pending, so both keep their capacity and a steady stream
    // of rows allocates nothing.
    std::string batch;
    std::unique_lock lock(m_mutex);
    for (;;) {
        const bool last = m_stop;
        std::swap(batch, m_pending);
        lock.unlock();
        const int error = writeAndSync(batch);
        batch.clear();
        lock.lock();
        if (error != 0) m_failure.store(error, std::memory_order_relaxed);
        if (error != 0 || last) return;
        m_wake.wait_for(lock, m_interval, [this] { return m_stop; });
    }
}

}  // namespace platform
