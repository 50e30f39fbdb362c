#pragma once

// The substitute simulators' figures that the end-to-end tests share, written once.

namespace tarnwick::figures {

// tarnwick-simstub --zfw-lbs with this zero fuel weight: the payload then reads as below.
inline constexpr const char* kStubZeroFuelWeightLbs = "40000";
// tarnwick-simstub --xplane --payload-kg with this payload reads as the same figures.
inline constexpr const char* kXPlanePayloadKg = "4643.69";
inline constexpr const char* kPayloadShownInKilograms = "4644";
inline constexpr const char* kPayloadShownInPounds = "10238";

// The filling level of one of the two main tanks: this level is a full tank of this many kg.
inline constexpr double kTankCapacityKg = 2541;
inline constexpr double kFullTankLevel = 8388608;
// The level of a tank holding the kilograms.
constexpr double TankLevelOf(double kilograms) {
  return kilograms / kTankCapacityKg * kFullTankLevel;
}
// A tank figure shown rounded to a kilogram is off by half a kilogram at most: 1651 levels.
inline constexpr double kTankLevelRounding = 1651;

}  // namespace tarnwick::figures
