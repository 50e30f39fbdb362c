#pragma once

#include <string_view>

#include "ui/WindowsColor.h"

namespace tarnwick {

inline constexpr std::string_view kOverTheLimitDescription = "over the limit";

// What assistive tools say of a figure besides its name and value: a figure shown in red is over
// its limit, and a figure in any other colour has nothing to add.
constexpr std::string_view LimitDescription(WindowsColor textColour) {
  return textColour == kRed ? kOverTheLimitDescription : std::string_view{};
}

}  // namespace tarnwick
