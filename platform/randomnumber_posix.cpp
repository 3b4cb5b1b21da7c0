#include <stdlib.h>

#include "platform/randomnumber.h"

namespace platform {

std::uint32_t RandomBelow(std::uint32_t bound) {
    return ::arc4random_uniform(bound);
}

}  // namespace platform
