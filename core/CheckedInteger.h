#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>

#include "core/ArithmeticFault.h"

namespace tarnwick {

// A signed integer of a fixed width whose every arithmetic step raises OverflowFault instead of
// wrapping: the planner's list and wind numbers are 16-bit and must never wrap silently.
template <std::signed_integral T>
class CheckedInteger {
  static_assert(sizeof(T) < sizeof(std::int64_t), "steps are worked out in 64 bits");

 public:
  constexpr CheckedInteger() = default;
  constexpr CheckedInteger(T value) : value_(value) {}  // NOLINT: a plain T is always in range

  // Throws OverflowFault when value does not fit in T.
  static constexpr CheckedInteger FromWide(std::int64_t value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
      throw OverflowFault();
    }
    return CheckedInteger(static_cast<T>(value));
  }

  constexpr T Value() const { return value_; }
  constexpr double AsDouble() const { return static_cast<double>(value_); }

  friend constexpr CheckedInteger operator+(CheckedInteger a, CheckedInteger b) {
    return FromWide(std::int64_t{a.value_} + b.value_);
  }
  friend constexpr CheckedInteger operator-(CheckedInteger a, CheckedInteger b) {
    return FromWide(std::int64_t{a.value_} - b.value_);
  }
  friend constexpr CheckedInteger operator*(CheckedInteger a, CheckedInteger b) {
    return FromWide(std::int64_t{a.value_} * b.value_);
  }
  constexpr CheckedInteger operator-() const { return FromWide(-std::int64_t{value_}); }

  friend constexpr CheckedInteger Abs(CheckedInteger a) { return a.value_ < 0 ? -a : a; }
  friend constexpr auto operator<=>(CheckedInteger, CheckedInteger) = default;

 private:
  T value_ = 0;
};

using CheckedInt16 = CheckedInteger<std::int16_t>;
using CheckedInt32 = CheckedInteger<std::int32_t>;

}  // namespace tarnwick
