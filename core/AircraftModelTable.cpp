#include "core/AircraftModelTable.h"

#include "core/ArithmeticFault.h"
#include "core/CheckedInteger.h"

namespace tarnwick {

std::int32_t TotalFuelCapacityKg(const AircraftModel& model) {
  return (CheckedInt32(2) * CheckedInt32(model.tankCapacityKg)).Value();
}

AircraftModelTable::AircraftModelTable()
    : models_{{{.name = "ATR 72-500",
                .basicOperatingWeightKg = 13500,
                .maxZeroFuelWeightKg = 20500,
                .maxLandingWeightKg = 22350,
                .maxTakeoffWeightKg = 22500,
                .maxTaxiWeightKg = 22670,
                .tankCapacityKg = 2541}}} {}

const AircraftModel& AircraftModelTable::At(int model) const {
  if (!Contains(model)) throw SubscriptOutOfRange();
  return models_[static_cast<std::size_t>(model)];
}

}  // namespace tarnwick
