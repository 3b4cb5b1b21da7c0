#include <cerrno>

#include "platform/rs232/tcpport.h"

namespace rs232 {

std::unique_ptr<SerialPort> OpenTcpPort(const std::string& /*device*/, FailureCause* cause) {
    *cause = {};
    cause->error = ENOSYS;
    return nullptr;
}

}  // namespace rs232
