#include "platform/userint/uithread.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

namespace userint {
namespace {

struct Posted {
    std::mutex mutex;
    std::condition_variable arrived;
    std::deque<std::function<void()>> work;  // guarded by mutex
    std::function<void()> waker;             // guarded by mutex
};

Posted& Queue() {
    static Posted posted;
    return posted;
}

bool gRunning = false;  // UI thread only

}  // namespace

void PostToUiThread(std::function<void()> work) {
    Posted& q = Queue();
    const std::lock_guard lock(q.mutex);
    const bool first = q.work.empty();
    q.work.push_back(std::move(work));
    q.arrived.notify_one();
    if (first && q.waker) q.waker();
}

int RunPostedWork(std::chrono::milliseconds wait) {
    if (gRunning) return 0;
    gRunning = true;
    Posted& q = Queue();
    int ran = 0;
    std::unique_lock lock(q.mutex);
    q.arrived.wait_for(lock, wait, [&q] { return !q.work.empty(); });
    while (!q.work.empty()) {
        std::function<void()> next = std::move(q.work.front());
        q.work.pop_front();
        lock.unlock();
        next();
        ++ran;
        lock.lock();
    }
    gRunning = false;
    return ran;
}

void SetUiWaker(std::function<void()> waker) {
    Posted& q = Queue();
    const std::lock_guard lock(q.mutex);
    q.waker = std::move(waker);
}

void DropPostedWork() {
    Posted& q = Queue();
    const std::lock_guard lock(q.mutex);
    q.work.clear();
}

}  // namespace userint
