#pragma once

#include <string_view>

namespace tarnwick {

// The value of the number that a typed text begins with, read the way the planner reads every
// box: blanks, tabs and line feeds are skipped wherever they stand; then an optional sign,
// decimal digits with at most one "." (whatever the user's locale), and an optional exponent
// (E or D, optional sign, digits). Reading stops at the first character that does not fit, so
// "12abc" is 12 and "1,500" is 1. "&H" and "&O" start a hexadecimal or octal integer of up to
// 32 bits; up to 0xFFFF it is a 16-bit value, so "&HFFFF" is -1. A text that does not begin
// with a number is 0.
//
// Throws OverflowFault when the number is beyond the range of a double (or of 32 bits after
// "&H"/"&O"). A number too small for a double reads as 0.
double ReadLeadingNumber(std::string_view text);

}  // namespace tarnwick
