#pragma once

#include <cstdint>

namespace tarnwick {

// The nearest whole number; a value halfway between two goes to the even one (2.5 -> 2,
// 3.5 -> 4, -1.5 -> -2). Infinities and NaN come back unchanged.
double RoundHalfEven(double value);

// RoundHalfEven into a 16- or 32-bit signed integer. Throw OverflowFault when the rounded value
// does not fit or the value is not finite.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// The value as a single-precision store keeps it (50 + 18.3 is kept as 68.30000305175781).
// Throws OverflowFault when the value is beyond the single-precision range.
double StoreSingle(double value);

}  // namespace tarnwick
