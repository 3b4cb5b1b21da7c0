// Internal test seam of Ini_WriteToFile: counts its file-system steps on the calling
// thread so a test can make one step fail, or kill the process there, and check that
// the target survives. Unarmed it costs one thread-local test per step.
#pragma once

namespace ini_detail {

enum class StepFault { kNone, kFail, kKill };

// Restarts the count and arms step `step` (1-based) of the following writes on this
// thread: kFail makes it fail with `error` in errno, kKill raises SIGKILL before it.
// kNone disarms and stops counting.
void ArmWriteStep(int step, StepFault fault, int error);

// Steps reached since the last ArmWriteStep, including the armed one.
int WriteStepsReached();

// Called by the writer before each step: true, with errno set, when the step must fail.
bool WriteStepFails();

}  // namespace ini_detail
