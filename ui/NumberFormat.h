#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The separators of the user's locale that the planner's texts use. Either may be more than one
// byte in UTF-8 (a narrow no-break space groups digits in French).
struct NumberFormat {
  std::string groupSeparator = ",";
  std::string decimalSeparator = ".";
};

// A whole number in plain digits formatted as "#,###": digits grouped in threes, and an empty
// text for 0. A text that is not a whole number (such as "???") comes back unchanged.
std::string FormatGrouped(std::string_view wholeNumber, std::string_view groupSeparator);

}  // namespace tarnwick
