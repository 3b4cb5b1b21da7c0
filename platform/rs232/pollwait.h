// Waiting for one descriptor until a deadline, for the POSIX backends.
#pragma once

#include "platform/rs232/linetiming.h"

namespace rs232 {

// ppoll for events on fd until the deadline, through signals: 1 with the
// returned events in *revents, 0 once the deadline has passed, or -errno.
int PollUntil(int fd, short events, Clock::time_point deadline, short* revents);

}  // namespace rs232
