#include "core/Rounding.h"

#include <cmath>
#include <limits>

#include "core/ArithmeticFault.h"

namespace tarnwick {
namespace {

template <typename Int>
Int RoundToInteger(double value) {
  const double rounded = RoundHalfEven(value);
  // Both bounds are exactly representable as doubles for 16- and 32-bit integers.
  if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max())) {
    throw OverflowFault();
  }
  return static_cast<Int>(rounded);
}

}  // namespace

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for every finite double
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1.0;
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int16_t RoundToInt16(double value) { return RoundToInteger<std::int16_t>(value); }

std::int32_t RoundToInt32(double value) { return RoundToInteger<std::int32_t>(value); }

double StoreSingle(double value) {
  // Values from here on round to infinity in single precision: (2 - 2^-24) * 2^127.
  constexpr double kSingleOverflowBound = 3.4028235677973366e38;
  if (std::isnan(value) || std::fabs(value) >= kSingleOverflowBound) throw OverflowFault();
  return static_cast<double>(static_cast<float>(value));
}

}  // namespace tarnwick
