#pragma once

#include <cstdint>

namespace tarnwick {

// A full main tank's filling level in the simulator (128 x 65536).
inline constexpr double kFullTankLevel = 128.0 * 65536.0;

// The simulator's zero fuel weight (pounds x 256) in whole pounds, halves to the even one.
std::int32_t ZeroFuelWeightPounds(std::int32_t simulatorValue);

// The payload that zero fuel weight leaves over the basic operating weight, in kilograms,
// unrounded and possibly negative.
double PayloadFromZeroFuelWeight(std::int32_t pounds, double basicOperatingWeightKg);

// A tank's filling level for the fuel: the fraction of its capacity x 8388608, rounded halves to
// even and not clamped. Throws OverflowFault when the level does not fit 32 bits.
std::int32_t TankLevel(double tankFuelKg, double tankCapacityKg);

}  // namespace tarnwick
