// Scripts system calls of the tty backend: the test executable is linked with
// write and ioctl wrapped (--wrap). Unscripted calls pass through.
#pragma once

#include <deque>

namespace linefaults {

// The next writes, one step each, the last repeating: n >= 0 lets at most n
// bytes through, -1 fails with EAGAIN as a full output queue does.
inline std::deque<int> writes;
// How many TIOCOUTQ requests still report a byte queued; negative: all.
inline int heldQueueReports = 0;

}  // namespace linefaults
