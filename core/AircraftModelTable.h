#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tarnwick {

// The fixed figures of one aircraft model. All weights are whole kilograms.
struct AircraftModel {
  std::string_view name;
  std::int32_t basicOperatingWeightKg;
  std::int32_t maxZeroFuelWeightKg;
  std::int32_t maxLandingWeightKg;
  std::int32_t maxTakeoffWeightKg;
  std::int32_t maxTaxiWeightKg;
  std::int32_t tankCapacityKg;  // usable fuel of ONE wing tank
};

// Both wing tanks together, worked out as a checked 32-bit product.
std::int32_t TotalFuelCapacityKg(const AircraftModel& model);

// The models the planner knows, indexed by the model number. It holds the ATR 72-500 at 0.
class AircraftModelTable {
 public:
  static constexpr int kModelCount = 1;

  AircraftModelTable();

  // Throws SubscriptOutOfRange for a model number outside the table.
  const AircraftModel& At(int model) const;
  static bool Contains(int model) { return model >= 0 && model < kModelCount; }

 private:
  std::array<AircraftModel, kModelCount> models_;
};

}  // namespace tarnwick
