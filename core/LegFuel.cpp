#include "core/LegFuel.h"

namespace tarnwick {

CheckedDouble FuelWithWind(CheckedDouble stillAirKg, CheckedInt16 windKt,
                           const WindCoefficients& c) {
  const double kt = windKt.AsDouble();
  if (kt < 0)
    return stillAirKg / (Abs(windKt).AsDouble() / kWindStepKt * c.tailwindFactorPer50Kt + 1);
  if (kt == 0) return stillAirKg;
  if (kt <= kWindStepKt) return stillAirKg * (kt / kWindStepKt * c.headwindFactorPer50Kt + 1);
  const CheckedDouble at50 = stillAirKg * c.fuelFactorAt50Kt;
  const double beyond50 = (windKt - kWindStepKt).AsDouble() / kWindStepKt;
  const double factor =
      at50 > c.heavyFuelAbove50KtKg ? c.heavyBeyond50KtFactorPer50Kt : c.beyond50KtFactorPer50Kt;
  return at50 * (beyond50 * factor + 1);
}

}  // namespace tarnwick
