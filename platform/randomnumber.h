// Unpredictable numbers for names that others must not guess.
#pragma once

#include <cstdint>

namespace platform {

// Uniform in 0 .. bound-1; bound > 0.
std::uint32_t RandomBelow(std::uint32_t bound);

}  // namespace platform
