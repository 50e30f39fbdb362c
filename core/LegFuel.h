#pragma once

#include "core/CheckedDouble.h"
#include "core/CheckedInteger.h"

namespace tarnwick {

// How wind changes a leg's still-air fuel. Factors are per 50 kt of wind: a tail wind divides
// the fuel by (1 + factor), a head wind up to 50 kt multiplies it by (1 + factor); beyond 50 kt
// the fuel at 50 kt grows by its own factor, which for the trip depends on whether that fuel
// is above a threshold.
struct WindCoefficients {
  double tailwindFactorPer50Kt;
  double headwindFactorPer50Kt;
  double fuelFactorAt50Kt;
  double beyond50KtFactorPer50Kt;
  double heavyFuelAbove50KtKg;
  double heavyBeyond50KtFactorPer50Kt;
};

inline constexpr WindCoefficients kTripWind{.tailwindFactorPer50Kt = 0.1703,
                                            .headwindFactorPer50Kt = 0.2151,
                                            .fuelFactorAt50Kt = 1.2151,
                                            .beyond50KtFactorPer50Kt = 0.3087,
                                            .heavyFuelAbove50KtKg = 3000,
                                            .heavyBeyond50KtFactorPer50Kt = 0.2241};
// The alternate leg has one factor beyond 50 kt, whatever the fuel.
inline constexpr WindCoefficients kAlternateWind{.tailwindFactorPer50Kt = 0.2135,
                                                 .headwindFactorPer50Kt = 0.269,
                                                 .fuelFactorAt50Kt = 1.269,
                                                 .beyond50KtFactorPer50Kt = 0.346,
                                                 .heavyFuelAbove50KtKg = 0,
                                                 .heavyBeyond50KtFactorPer50Kt = 0.346};
inline constexpr int kWindStepKt = 50;

// The fuel factor at 50 kt is kept as its own constant, as the formulas use it, and must stay the
// head wind factor's 1 + factor.
constexpr bool FactorAt50KtFollowsHeadwind(const WindCoefficients& c) {
  const double difference = c.fuelFactorAt50Kt - (1 + c.headwindFactorPer50Kt);
  return difference < 1e-12 && difference > -1e-12;
}
static_assert(FactorAt50KtFollowsHeadwind(kTripWind));
static_assert(FactorAt50KtFollowsHeadwind(kAlternateWind));

// A leg's fuel with the wind (kt, headwind positive) applied to its still-air fuel.
CheckedDouble FuelWithWind(CheckedDouble stillAirKg, CheckedInt16 windKt,
                           const WindCoefficients& c);

}  // namespace tarnwick
