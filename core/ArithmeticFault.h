#pragma once

#include <stdexcept>

namespace tarnwick {

// An arithmetic step of the plan that cannot give a result. The planner stops the pass that
// raised it; the kind decides what the pilot is told.
class ArithmeticFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A result beyond the range of its type: a 16- or 32-bit integer, a single or a double.
class OverflowFault : public ArithmeticFault {
 public:
  OverflowFault() : ArithmeticFault("Overflow") {}
};

// A floating-point operation without a defined result, such as infinity minus infinity.
class InvalidOperationFault : public ArithmeticFault {
 public:
  InvalidOperationFault() : ArithmeticFault("Invalid floating-point operation") {}
};

class DivisionByZeroFault : public ArithmeticFault {
 public:
  DivisionByZeroFault() : ArithmeticFault("Division by zero") {}
};

// An index outside the bounds of a fixed table.
class SubscriptOutOfRange : public std::out_of_range {
 public:
  SubscriptOutOfRange() : std::out_of_range("Subscript out of range") {}
};

}  // namespace tarnwick
