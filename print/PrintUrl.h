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

// webSiteBase + "print.php?" + the thirty values joined by "+", each exactly as the window shows
// it: no names, no escaping.
std::string PrintUrl(const MainWindowControls& controls, std::string_view webSiteBase);

}  // namespace tarnwick
