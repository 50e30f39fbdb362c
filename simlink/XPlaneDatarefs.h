#pragma once

#include <string_view>

namespace tarnwick {

// The datarefs the planner reads and writes, all in kilograms whatever unit X-Plane shows.
inline constexpr std::string_view kPayloadDataref = "sim/flightmodel/weight/m_fixed";
inline constexpr std::string_view kLeftTankFuelDataref = "sim/flightmodel/weight/m_fuel[0]";
inline constexpr std::string_view kRightTankFuelDataref = "sim/flightmodel/weight/m_fuel[1]";
// A tank's share of the aircraft's fuel capacity; the tank exists when it is above 0.
inline constexpr std::string_view kLeftTankShareDataref = "sim/aircraft/overflow/acf_tank_rat[0]";
inline constexpr std::string_view kRightTankShareDataref = "sim/aircraft/overflow/acf_tank_rat[1]";

}  // namespace tarnwick
