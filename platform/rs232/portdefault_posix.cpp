#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"

namespace rs232 {

std::string DefaultDeviceForPort(int port, const std::filesystem::path& dev) {
    if (port < kFirstPort || port > kLastPort) return {};
    return (dev / ("ttyS" + std::to_string(port - 1))).string();
}

}  // namespace rs232
