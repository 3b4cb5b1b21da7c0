// Work for the UI thread from any other thread: results of the module thread
// come back this way, as values inside the work, and are applied where the
// model lives. The view installs a waker that makes its loop run the work;
// without one (tests, the headless loop), RunPostedWork is called directly.
#pragma once

#include <chrono>
#include <functional>

namespace userint {

// From any thread: queues work for the UI thread and wakes it.
void PostToUiThread(std::function<void()> work);

// On the UI thread: runs the posted work in order until none is left, after
// waiting up to wait for the first when none is there yet. Returns how many
// ran. Never re-entered: work that waits in a modal dialog holds back the
// work after it until it returns.
int RunPostedWork(std::chrono::milliseconds wait = std::chrono::milliseconds(0));

// Called on the posting thread when work arrives while none was waiting; an
// empty function removes it. Once this returns, the old waker is not called.
void SetUiWaker(std::function<void()> waker);

// Drops work not yet run (tests).
void DropPostedWork();

}  // namespace userint
