#pragma once

// The substitute simulators' figures that the end-to-end tests share with
// tools/test-windows.sh, which reads them from here (one definition a line, each
// "inline constexpr <type> <name> = <value>;"), so that they are written once.

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

}  // namespace tarnwick::figures
