#include "platform/rs232/portfailure.h"

#include <grp.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <utility>

namespace rs232 {
namespace {

PortFailure gFailure;

// The group that owns device, when its members may read and write it: the one
// to join.
std::string GroupToJoin(const std::string& device) {
    struct stat status {};
    constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
    if (stat(device.c_str(), &status) != 0 ||
        (status.st_mode & kGroupReadWrite) != kGroupReadWrite) {
        return {};
    }
    group entry{};
    group* found = nullptr;
    std::array<char, 4096> buffer{};
    if (getgrgid_r(status.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
        return std::to_string(status.st_gid);
    }
    return found->gr_name;
}

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
