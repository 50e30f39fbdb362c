#pragma once

#include <optional>

namespace tarnwick {

// The six takeoff reference speeds of one weight band, in knots, for one icing state.
struct TakeoffSpeeds {
  int v1;
  int v2;
  int vfto;
  int vmlb0;
  std::optional<int> vmlb15;  // the schedule has no value without icing
  int vmhb30;

  friend bool operator==(const TakeoffSpeeds&, const TakeoffSpeeds&) = default;
};

// The speeds of the ATR 72-500 schedule for a gross takeoff weight in kilograms: the first band
// whose lower bound the weight reaches, the lightest band below 16000 kg.
TakeoffSpeeds SelectTakeoffSpeeds(double grossTakeoffWeightKg, bool icing);

}  // namespace tarnwick
