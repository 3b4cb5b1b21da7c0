// Makes one file-system call of the code under test fail, or kills the process
// there. The test executable is linked with the calls wrapped (--wrap), so the
// program itself carries no hook. Counts on the calling thread: stat, lstat,
// open, write, fsync, fchmod, rename, unlink, and the close of a file created
// with O_EXCL (a probe's or the temporary file's).
#pragma once

namespace filefaults {

enum class Fault { kNone, kFail, kKill };

// Restarts the count and arms call `step` (1-based): kFail makes it fail with
// `error` in errno, kKill raises SIGKILL instead. kNone disarms.
void Arm(int step, Fault fault, int error);

}  // namespace filefaults
