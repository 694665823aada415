// Booleans as the program keeps them in its 16-bit integers: true is all bits set.
#pragma once

#include <cstdint>

namespace clavitone {

constexpr std::int16_t VbTrue = -1;
constexpr std::int16_t VbFalse = 0;

}  // namespace clavitone
