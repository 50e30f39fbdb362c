#pragma once

#include <string_view>

#include "core/AircraftModelTable.h"

namespace tarnwick {

// The weights and fuel figures left by the last computation, all in kilograms.
struct PlanResults {
  double BOW = 0;  // set only when the window shows the model's basic operating weight
  double Payload = 0;
  double TaxiFuel = 0;
  double HoldingFuel = 0;
  double MinimumFuel = 0;
  double ZFW = 0;
  double PLW = 0;
  double PLWAlt = 0;
  double GTOW = 0;
  double TaxiWeight = 0;
  double TotalFuel = 0;
  double TankFuel = 0;  // for each of the two wing tanks
};

// The inputs as the window holds them, before any conversion: weight texts in the display
// unit, selected list indexes (-1 for none) and the two wind texts.
struct PlanInputs {
  std::string_view payload;
  std::string_view taxiFuel;
  std::string_view holdingFuel;
  std::string_view minimumFuel;
  int tripDistanceIndex = -1;
  int cruisingAltIndex = -1;
  std::string_view headwind;
  int windTypeIndex = -1;
  int tempIndex = -1;
  int alternateDistanceIndex = -1;
  int cruisingAltAltIndex = -1;
  std::string_view headwindAlt;
  int windTypeAltIndex = -1;
  int unitIndex = -1;
};

// Which figures are above the model's limit (strictly greater).
struct LimitExceedances {
  bool zeroFuelWeight = false;
  bool landingWeight = false;
  bool takeoffWeight = false;
  bool taxiWeight = false;
  bool totalFuel = false;  // also marks both tanks
};

// What a computation yields besides PlanResults: the two fuel figures that are only shown, and
// the limit checks.
struct PlanOutcome {
  double EnrouteFuel = 0;    // trip fuel, kg
  double AlternateFuel = 0;  // kg
  LimitExceedances exceeded;
};

// Which of the figures exceed the model's limits.
LimitExceedances CheckLimits(const PlanResults& results, const AircraftModel& model);

// Works out the whole plan from the inputs. PlanResults receives each figure as soon as it is
// known, so after a fault the figures before it keep their new values.
// Throws ArithmeticFault: OverflowFault when a 16-bit step or a double overflows (a wind text
// reading -32768, absurdly large weights), InvalidOperationFault or DivisionByZeroFault for the
// other floating-point faults.
PlanOutcome ComputePlan(const PlanInputs& inputs, const AircraftModel& model, PlanResults& results);

}  // namespace tarnwick
