#include <random>

#include "platform/randomnumber.h"

namespace platform {

// random_device asks the system's generator (rand_s) for every number.
std::uint32_t RandomBelow(std::uint32_t bound) {
    thread_local std::random_device device;
    return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(device);
}

}  // namespace platform
