#include "simlink/XPlaneAircraft.h"

#include <string_view>

#include "simlink/XPlaneDatarefs.h"

namespace tarnwick {
namespace {

bool HasTank(XPlaneClient& xplane, std::string_view shareDataref) {
  const std::optional<float> share = xplane.Read(shareDataref);
  return share && *share > 0.0F;
}

}  // namespace

std::optional<double> ReadXPlanePayloadKg(XPlaneClient& xplane) {
  const std::optional<float> payload = xplane.Read(kPayloadDataref);
  if (!payload) return std::nullopt;
  return static_cast<double>(*payload);
}

bool BoardXPlaneFuel(XPlaneClient& xplane, double tankFuelKg) {
  const bool needsTanks = tankFuelKg > 0.0;
  if (needsTanks &&
      (!HasTank(xplane, kLeftTankShareDataref) || !HasTank(xplane, kRightTankShareDataref))) {
    return false;
  }
  const auto fuel = static_cast<float>(tankFuelKg);
  return xplane.Set(kLeftTankFuelDataref, fuel) && xplane.Set(kRightTankFuelDataref, fuel);
}

}  // namespace tarnwick
