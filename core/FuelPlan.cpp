#include "core/FuelPlan.h"

#include "core/ArithmeticFault.h"
#include "core/CheckedDouble.h"
#include "core/CheckedInteger.h"
#include "core/LeadingNumber.h"
#include "core/LegFuel.h"
#include "core/PickListScales.h"
#include "core/Rounding.h"
#include "core/WeightUnits.h"

namespace tarnwick {
namespace {

constexpr int kTailwindIndex = 1;
constexpr int kReferenceFlightLevel = 100;

// Still-air fuel of the trip: the reference fuel for the reference distance, less what each
// flight level above the reference saves over that distance.
constexpr double kTripDistanceAllowanceNm = 18.3;
constexpr double kTripReferenceDistanceNm = 1150;
constexpr double kTripReferenceFuelKg = 4100;
constexpr double kTripFuelSavedKgPerFlightLevel = 8.8;

// Still-air fuel of the alternate leg, likewise; the saving is counted in whole kilograms.
constexpr double kAlternateDistanceAllowanceNm = 30.64;
constexpr double kAlternateReferenceDistanceNm = 530.64;
constexpr double kAlternateReferenceFuelKg = 1420;
constexpr int kAlternateFuelSavedKgPerFlightLevel = 2;

// Corrections of the still-air fuel, signed: above the reference weight, or warmer than the
// standard temperature, a leg burns more, below it less. Each counts kilograms per 100 nm of the
// leg's distance.
constexpr double kTripReferenceTakeoffWeightKg = 20500;
constexpr double kTripFuelKgPer100NmPerTonneAbove = 1.3;
constexpr double kTripFuelKgPer100NmPer10CAbove = 11;
constexpr double kAlternateReferenceLandingWeightKg = 19500;
constexpr double kAlternateFuelKgPer100NmPerTonneAbove = 5;
constexpr double kKgPerTonne = 1000;

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

// The value a list's index stands for, in checked 16-bit steps.
CheckedInt16 ScaleValue(const PickListScale& scale, int index) {
  return CheckedInt16::FromWide(index) * CheckedInt16::FromWide(scale.step) +
         CheckedInt16::FromWide(scale.first);
}

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

// The list indexes read back through the pick lists' scales.
Flight ReadFlight(const PlanInputs& in) {
  Flight flight;
  flight.trip.distanceNm = ScaleValue(kTripDistanceScaleNm, in.tripDistanceIndex);
  flight.trip.flightLevel = ScaleValue(kFlightLevelScale, in.cruisingAltIndex);
  flight.trip.windKt = ReadWind(in.headwind, in.windTypeIndex);
  flight.temperatureC = ScaleValue(kTemperatureScaleC, in.tempIndex);
  flight.alternate.distanceNm = ScaleValue(kAlternateDistanceScaleNm, in.alternateDistanceIndex);
  flight.alternate.flightLevel = ScaleValue(kFlightLevelScale, in.cruisingAltAltIndex);
  flight.alternate.windKt = ReadWind(in.headwindAlt, in.windTypeAltIndex);
  return flight;
}

CheckedDouble StillAirTripFuel(const Leg& trip) {
  const CheckedDouble distance = StoreSingle(trip.distanceNm.AsDouble() + kTripDistanceAllowanceNm);
  return distance / kTripReferenceDistanceNm * kTripReferenceFuelKg -
         kTripFuelSavedKgPerFlightLevel * (trip.flightLevel - kReferenceFlightLevel).AsDouble() *
             (distance / kTripReferenceDistanceNm);
}

CheckedDouble StillAirAlternateFuel(const Leg& alternate) {
  const CheckedDouble distance =
      StoreSingle(alternate.distanceNm.AsDouble() + kAlternateDistanceAllowanceNm);
  const CheckedInt16 climbSavingKg =
      (alternate.flightLevel - kReferenceFlightLevel) * kAlternateFuelSavedKgPerFlightLevel;
  return distance / kAlternateReferenceDistanceNm * kAlternateReferenceFuelKg -
         distance / kAlternateReferenceDistanceNm * climbSavingKg.AsDouble();
}

CheckedDouble AlternateFuel(const Leg& alternate) {
  if (alternate.distanceNm.Value() < 1) return 0.0;
  return FuelWithWind(StillAirAlternateFuel(alternate), alternate.windKt, kAlternateWind);
}

}  // namespace

LimitExceedances CheckLimits(const PlanResults& r, const AircraftModel& model) {
  return {.zeroFuelWeight = r.ZFW > model.maxZeroFuelWeightKg,
          .landingWeight = r.PLW > model.maxLandingWeightKg,
          .takeoffWeight = r.GTOW > model.maxTakeoffWeightKg,
          .taxiWeight = r.TaxiWeight > model.maxTaxiWeightKg,
          .totalFuel = r.TotalFuel > TotalFuelCapacityKg(model)};
}

PlanOutcome ComputePlan(const PlanInputs& inputs, const AircraftModel& model,
                        PlanResults& results) {
  ReadWeights(inputs, results);
  const Flight flight = ReadFlight(inputs);
  const double trip = flight.trip.distanceNm.AsDouble();
  const double alternateDistance = flight.alternate.distanceNm.AsDouble();

  const CheckedDouble zfw = CheckedDouble(results.BOW) + results.Payload;
  results.ZFW = zfw.Value();
  const CheckedDouble landingReserve = CheckedDouble(results.MinimumFuel) + results.HoldingFuel;
  CheckedDouble enroute =
      FuelWithWind(StillAirTripFuel(flight.trip), flight.trip.windKt, kTripWind);
  CheckedDouble alternate = AlternateFuel(flight.alternate);

  // Heavier aircraft, warmer air and a heavier arrival at the alternate burn more; lighter and
  // colder ones less: the corrections are signed.
  const CheckedDouble provisionalTakeoffWeight = zfw + landingReserve + enroute + alternate;
  results.GTOW = provisionalTakeoffWeight.Value();
  const CheckedDouble tripWeightCorrection =
      (provisionalTakeoffWeight - kTripReferenceTakeoffWeightKg) / kKgPerTonne *
      (trip / 100 * kTripFuelKgPer100NmPerTonneAbove);
  const CheckedDouble tempCorrection =
      CheckedDouble((flight.temperatureC - kStandardTemperatureC).AsDouble()) / 10 *
      (trip / 100 * kTripFuelKgPer100NmPer10CAbove);
  const CheckedDouble landingEstimate = zfw + landingReserve + alternate;
  const CheckedDouble alternateWeightCorrection =
      (landingEstimate - kAlternateReferenceLandingWeightKg) / kKgPerTonne *
      (alternateDistance / 100 * kAlternateFuelKgPer100NmPerTonneAbove);
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
