#pragma once

#include <stdexcept>

namespace tarnwick {

// A command-line argument the planner cannot carry out. The message is one line that names the
// problem and, where there are any, the valid choices.
class PlanArgumentError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

}  // namespace tarnwick
