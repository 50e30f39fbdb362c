#pragma once

#include <cmath>

#include "core/ArithmeticFault.h"

namespace tarnwick {

// A double whose arithmetic raises a fault where a floating-point unit with its exceptions
// unmasked would trap: an infinite result is an overflow, a NaN an invalid operation, and a
// division by zero its own fault. Every value it holds is finite.
class CheckedDouble {
 public:
  constexpr CheckedDouble() = default;
  CheckedDouble(double value) : value_(Checked(value)) {}  // NOLINT: plain doubles mix freely

  constexpr double Value() const { return value_; }

  friend CheckedDouble operator+(CheckedDouble a, CheckedDouble b) { return a.value_ + b.value_; }
  friend CheckedDouble operator-(CheckedDouble a, CheckedDouble b) { return a.value_ - b.value_; }
  friend CheckedDouble operator*(CheckedDouble a, CheckedDouble b) { return a.value_ * b.value_; }
  friend CheckedDouble operator/(CheckedDouble a, CheckedDouble b) {
    if (b.value_ == 0.0) throw DivisionByZeroFault();
    return a.value_ / b.value_;
  }
  friend constexpr auto operator<=>(CheckedDouble a, CheckedDouble b) {
    return a.value_ <=> b.value_;
  }
  friend constexpr bool operator==(CheckedDouble a, CheckedDouble b) {
    return a.value_ == b.value_;
  }

 private:
  static double Checked(double value) {
    if (std::isnan(value)) throw InvalidOperationFault();
    if (std::isinf(value)) throw OverflowFault();
    return value;
  }

  double value_ = 0.0;
};

}  // namespace tarnwick
