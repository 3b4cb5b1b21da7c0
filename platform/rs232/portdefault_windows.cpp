#include "platform/rs232/portmap.h"
#include "platform/rs232/rs232.h"

namespace rs232 {

// The device namespace form, which also reaches COM10 and above.
std::string DefaultDeviceForPort(int port, const std::filesystem::path& /*dev*/) {
    if (port < kFirstPort || port > kLastPort) return {};
    return "\\\\.\\COM" + std::to_string(port);
}

}  // namespace rs232
