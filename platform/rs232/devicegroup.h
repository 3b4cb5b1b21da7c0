// Whom to ask for a device that refused access.
#pragma once

#include <string>

namespace rs232 {

// The group that owns device, when its members may read and write it: the one
// to join. Empty when there is none (always on Windows, which has no such
// groups for COM ports).
std::string GroupToJoin(const std::string& device);

}  // namespace rs232
