#include <cstring>

#include "platform/errorname.h"

namespace platform {

const char* ErrorName(int error) {
    return strerrorname_np(error);
}

}  // namespace platform
