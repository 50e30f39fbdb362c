#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Weights are kilograms inside the planner. The display unit is the selected index of the unit
// list: 0 is pounds; every other index, -1 (nothing selected) included, is kilograms.
inline constexpr double kLbsPerKg = 2.204623;
inline constexpr int kPoundsUnitIndex = 0;
inline constexpr int kKilogramsUnitIndex = 1;

// A typed weight in the display unit as kilograms, unrounded: the text's leading number,
// divided by kLbsPerKg in pounds. 0 when the text has no number or the number is unusable.
double TextToKg(std::string_view text, int unitIndex);

// Kilograms as the whole number shown in the display unit (halves to even), in plain digits with
// a leading "-" when negative; "???" when the value does not fit 32 bits.
std::string KgToText(double kg, int unitIndex);

// The unit caption, "Kgs." for index 1 and "Lbs." for any other index, and the same with a
// leading blank as the suffix some figures carry.
std::string_view UnitCaption(int unitIndex);
std::string_view UnitSuffix(int unitIndex);

}  // namespace tarnwick
