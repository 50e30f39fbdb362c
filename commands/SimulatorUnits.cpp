#include "commands/SimulatorUnits.h"

#include "core/Rounding.h"
#include "core/WeightUnits.h"

namespace tarnwick {

std::int32_t ZeroFuelWeightPounds(std::int32_t simulatorValue) {
  return RoundToInt32(static_cast<double>(simulatorValue) / 256.0);
}

double PayloadFromZeroFuelWeight(std::int32_t pounds, double basicOperatingWeightKg) {
  return static_cast<double>(pounds) / kLbsPerKg - basicOperatingWeightKg;
}

std::int32_t TankLevel(double tankFuelKg, double tankCapacityKg) {
  return RoundToInt32(tankFuelKg / tankCapacityKg * 128.0 * 65536.0);
}

}  // namespace tarnwick
