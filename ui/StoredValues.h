#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// How values look in the settings store. Stored texts may have been edited by hand or written
// under another locale, so reading is strict and reports what it cannot use.

// A whole number that fits 16 bits, such as "75" or "-1", blanks around it allowed.
std::optional<std::int16_t> ParseStoredWholeNumber(std::string_view text);

// A finite weight in kilograms written with ".", "," or the given decimal separator as the
// decimal point, such as "453.592292196897", "453,59" or "1e+20", blanks around it allowed.
std::optional<double> ParseStoredWeight(std::string_view text, std::string_view decimalSeparator);

// A weight in kilograms as "." decimal text with up to 15 significant digits, whatever the
// locale; a zero weight is "0".
std::string FormatStoredWeight(double kg);

}  // namespace tarnwick
