#include "core/FuelPlan.h"

#include "core/ArithmeticFault.h"
#include "core/CheckedDouble.h"
#include "core/CheckedInteger.h"
#include "core/LeadingNumber.h"
#include "core/Rounding.h"
#include "core/WeightUnits.h"

namespace tarnwick {
namespace {

constexpr int kTailwindIndex = 1;

// One leg as the formulas use it: distance (nm), flight level, wind (kt, headwind positive).
struct Leg {
  CheckedInt16 distanceNm;
  CheckedInt16 flightLevel;
  CheckedInt16 windKt;
};

struct Flight {
  Leg trip;
  CheckedInt16 temperatureC;
  Leg alternate;
};

CheckedInt16 ListIndex(int index) { return CheckedInt16::FromWide(index); }

// A wind box reads as its leading number rounded to 16 bits; an unreadable text counts as calm.
CheckedInt16 ReadWindText(std::string_view text) {
  try {
    return RoundToInt16(ReadLeadingNumber(text));
  } catch (const ArithmeticFault&) {
    return 0;
  }
}

CheckedInt16 ReadWind(std::string_view text, int windTypeIndex) {
  const CheckedInt16 wind = ReadWindText(text);
  return windTypeIndex == kTailwindIndex ? -wind : wind;
}

void ReadWeights(const PlanInputs& inputs, PlanResults& results) {
  results.Payload = TextToKg(inputs.payload, inputs.unitIndex);
  results.TaxiFuel = TextToKg(inputs.taxiFuel, inputs.unitIndex);
  results.HoldingFuel = TextToKg(inputs.holdingFuel, inputs.unitIndex);
  results.MinimumFuel = TextToKg(inputs.minimumFuel, inputs.unitIndex);
}

// The list indexes invert the pick lists: trip distances from 50 nm, alternate distances from
// 0 nm, both in 50 nm steps; flight levels from 100 in steps of 10; temperatures from -60 C.
Flight ReadFlight(const PlanInputs& in) {
  Flight flight;
  flight.trip.distanceNm = (ListIndex(in.tripDistanceIndex) + 1) * 50;
  flight.trip.flightLevel = ListIndex(in.cruisingAltIndex) * 10 + 100;
  flight.trip.windKt = ReadWind(in.headwind, in.windTypeIndex);
  flight.temperatureC = ListIndex(in.tempIndex) - 60;
  flight.alternate.distanceNm = ListIndex(in.alternateDistanceIndex) * 50;
  flight.alternate.flightLevel = ListIndex(in.cruisingAltAltIndex) * 10 + 100;
  flight.alternate.windKt = ReadWind(in.headwindAlt, in.windTypeAltIndex);
  return flight;
}

CheckedDouble StillAirTripFuel(const Leg& trip) {
  const CheckedDouble distance = StoreSingle(trip.distanceNm.AsDouble() + 18.3);
  return distance / 1150 * 4100 - 8.8 * (trip.flightLevel - 100).AsDouble() * (distance / 1150);
}

CheckedDouble TripFuelWithWind(CheckedDouble stillAir, CheckedInt16 wind) {
  const double kt = wind.AsDouble();
  if (kt < 0) return stillAir / (Abs(wind).AsDouble() / 50 * 0.1703 + 1);
  if (kt == 0) return stillAir;
  if (kt <= 50) return stillAir * (kt / 50 * 0.2151 + 1);
  const CheckedDouble at50 = stillAir * 1.2151;
  const double beyond50 = (wind - 50).AsDouble() / 50;
  return at50 > 3000 ? at50 * (beyond50 * 0.2241 + 1) : at50 * (beyond50 * 0.3087 + 1);
}

CheckedDouble StillAirAlternateFuel(const Leg& alternate) {
  const CheckedDouble distance = StoreSingle(alternate.distanceNm.AsDouble() + 30.64);
  const CheckedInt16 climbPenalty = (alternate.flightLevel - 100) * 2;
  return distance / 530.64 * 1420 - distance / 530.64 * climbPenalty.AsDouble();
}

CheckedDouble AlternateFuelWithWind(CheckedDouble stillAir, CheckedInt16 wind) {
  const double kt = wind.AsDouble();
  if (kt < 0) return stillAir / (Abs(wind).AsDouble() / 50 * 0.2135 + 1);
  if (kt == 0) return stillAir;
  if (kt <= 50) return stillAir * (kt / 50 * 0.269 + 1);
  const CheckedDouble at50 = stillAir * 1.269;
  return ((wind - 50).AsDouble() / 50 * 0.346 + 1) * at50;
}

CheckedDouble AlternateFuel(const Leg& alternate) {
  if (alternate.distanceNm.Value() < 1) return 0.0;
  return AlternateFuelWithWind(StillAirAlternateFuel(alternate), alternate.windKt);
}

LimitExceedances CheckLimits(const PlanResults& r, const AircraftModel& model) {
  return {.zeroFuelWeight = r.ZFW > model.maxZeroFuelWeightKg,
          .landingWeight = r.PLW > model.maxLandingWeightKg,
          .takeoffWeight = r.GTOW > model.maxTakeoffWeightKg,
          .taxiWeight = r.TaxiWeight > model.maxTaxiWeightKg,
          .totalFuel = r.TotalFuel > TotalFuelCapacityKg(model)};
}

}  // namespace

PlanOutcome ComputePlan(const PlanInputs& inputs, const AircraftModel& model,
                        PlanResults& results) {
  ReadWeights(inputs, results);
  const Flight flight = ReadFlight(inputs);
  const double trip = flight.trip.distanceNm.AsDouble();
  const double alternateDistance = flight.alternate.distanceNm.AsDouble();

  const CheckedDouble zfw = CheckedDouble(results.BOW) + results.Payload;
  results.ZFW = zfw.Value();
  const CheckedDouble landingReserve = CheckedDouble(results.MinimumFuel) + results.HoldingFuel;
  CheckedDouble enroute = TripFuelWithWind(StillAirTripFuel(flight.trip), flight.trip.windKt);
  CheckedDouble alternate = AlternateFuel(flight.alternate);

  // Heavier aircraft, warmer air and a heavier arrival at the alternate burn more; lighter and
  // colder ones less: the corrections are signed.
  const CheckedDouble provisionalTakeoffWeight = zfw + landingReserve + enroute + alternate;
  results.GTOW = provisionalTakeoffWeight.Value();
  const CheckedDouble tripWeightCorrection =
      (provisionalTakeoffWeight - 20500) / 1000 * (trip / 100 * 1.3);
  const CheckedDouble tempCorrection =
      CheckedDouble((flight.temperatureC - 15).AsDouble()) / 10 * (trip / 100 * 11);
  const CheckedDouble landingEstimate = zfw + landingReserve + alternate;
  const CheckedDouble alternateWeightCorrection =
      (landingEstimate - 19500) / 1000 * (alternateDistance / 100 * 5);
  enroute = enroute + tripWeightCorrection + tempCorrection;
  alternate = alternate + alternateWeightCorrection;

  const CheckedDouble plw = zfw + results.MinimumFuel + alternate + results.HoldingFuel;
  results.PLW = plw.Value();
  results.PLWAlt = (zfw + results.MinimumFuel).Value();
  const CheckedDouble gtow = plw + enroute;
  results.GTOW = gtow.Value();
  results.TaxiWeight = (gtow + results.TaxiFuel).Value();
  const CheckedDouble totalFuel =
      alternate + results.HoldingFuel + results.MinimumFuel + enroute + results.TaxiFuel;
  results.TotalFuel = totalFuel.Value();

  const LimitExceedances exceeded = CheckLimits(results, model);
  results.TankFuel = (totalFuel / 2).Value();
  return {.EnrouteFuel = enroute.Value(), .AlternateFuel = alternate.Value(), .exceeded = exceeded};
}

}  // namespace tarnwick
