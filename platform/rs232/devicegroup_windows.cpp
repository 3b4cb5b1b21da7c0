#include "platform/rs232/devicegroup.h"

namespace rs232 {

std::string GroupToJoin(const std::string& /*device*/) {
    return {};
}

}  // namespace rs232
