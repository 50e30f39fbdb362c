#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/MainWindowControls.h"

namespace tarnwick {

inline constexpr std::size_t kPrintValueCount = 30;

// The thirty values the print page reads by position, taken from what the window shows: the
// fuel per tank without its unit suffix; the trip leg (distance, flight level, wind type as
// its index, wind, temperature); the alternate leg (the same less the temperature); the seven
// weights; the six fuel figures; the six speeds without their caption prefixes; the unit.
// A text shorter than the suffix or prefix it loses gives an empty value.
std::vector<std::string> PrintValues(const MainWindowControls& controls);

// webSiteBase + "print.php?" + the thirty values joined by "+", without names. Each value is
// percent-encoded, byte by byte, where it holds anything but letters, digits and the punctuation
// a query carries as it is: a value made of digits, letters, ".", "-" and "/" goes exactly as
// the window shows it, and a "+", "#", "%", "&", blank, control byte or non-ASCII character
// (as its UTF-8 bytes) in a value neither splits, cuts nor garbles the values.
std::string PrintUrl(const MainWindowControls& controls, std::string_view webSiteBase);

}  // namespace tarnwick
