#include <grp.h>
#include <sys/stat.h>

#include <array>

#include "platform/rs232/devicegroup.h"

namespace rs232 {

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

}  // namespace rs232
