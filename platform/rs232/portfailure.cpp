#include "platform/rs232/portfailure.h"

#include <cerrno>
#include <utility>

#include "platform/rs232/devicegroup.h"

namespace rs232 {
namespace {

// Each thread's own: a thread that works a line takes its failures itself.
thread_local PortFailure gFailure;

}  // namespace

PortFailure TakePortFailure() {
    return std::exchange(gFailure, {});
}

void KeepPortFailure(const std::string& device, const FailureCause& cause) {
    gFailure = {};
    if (cause.error == 0 && !cause.gone && cause.resolveError == 0) return;
    gFailure.device = device;
    gFailure.cause = cause;
    if (cause.error == EACCES || cause.error == EPERM) gFailure.group = GroupToJoin(device);
}

void ForgetPortFailure() {
    gFailure = {};
}

}  // namespace rs232
