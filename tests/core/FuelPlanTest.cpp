#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/ArithmeticFault.h"
#include "core/FuelPlan.h"
#include "core/LegFuel.h"

namespace tarnwick {
namespace {

// One set of window inputs, by list index, in kilograms unless unit says otherwise.
struct Inputs {
  std::string payload{}, taxiFuel{}, holdingFuel{}, minimumFuel{};
  int trip = 0, flightLevel = 0;
  std::string headwind = "0";
  int windType = 0, temp = 75, alternate = 0, flightLevelAlt = 0;
  std::string headwindAlt = "0";
  int windTypeAlt = 0, unit = 1;

  PlanInputs View() const {
    return {payload,  taxiFuel, holdingFuel, minimumFuel,    trip,        flightLevel, headwind,
            windType, temp,     alternate,   flightLevelAlt, headwindAlt, windTypeAlt, unit};
  }
};

constexpr int kHeadwind = 0;
constexpr int kTailwind = 1;
// Five decimals as the worked examples give them.
constexpr double kTolerance = 5e-6;

class FuelPlanTest : public ::testing::Test {
 protected:
  PlanOutcome Compute(const Inputs& inputs) { return ComputePlan(inputs.View(), atr72, plan); }
  double TripFuel(const Inputs& inputs) { return Compute(inputs).EnrouteFuel; }

  AircraftModel atr72 = AircraftModelTable().At(0);
  PlanResults plan{.BOW = 13500};
};

TEST_F(FuelPlanTest, StartValuesGiveTheShortestTrip) {
  const PlanOutcome outcome = Compute({});
  EXPECT_NEAR(outcome.EnrouteFuel, 239.1126, 5e-5);
  EXPECT_EQ(outcome.AlternateFuel, 0.0);
  EXPECT_EQ(plan.ZFW, 13500.0);
  EXPECT_EQ(plan.PLW, 13500.0);
  EXPECT_EQ(plan.PLWAlt, 13500.0);
  EXPECT_NEAR(plan.GTOW, 13739.1126, 5e-5);
  EXPECT_EQ(plan.TaxiWeight, plan.GTOW);
  EXPECT_NEAR(plan.TankFuel, 119.5563, 5e-5);
  EXPECT_FALSE(outcome.exceeded.totalFuel || outcome.exceeded.takeoffWeight);
}

TEST_F(FuelPlanTest, MediumTripWithAlternateAndWinds) {
  const PlanOutcome outcome = Compute({.payload = "6000",
                                       .taxiFuel = "100",
                                       .holdingFuel = "300",
                                       .minimumFuel = "600",
                                       .trip = 5,
                                       .flightLevel = 10,
                                       .headwind = "30",
                                       .temp = 80,
                                       .alternate = 2,
                                       .flightLevelAlt = 5,
                                       .headwindAlt = "10"});
  EXPECT_NEAR(outcome.EnrouteFuel, 1027.63341, kTolerance);
  EXPECT_NEAR(outcome.AlternateFuel, 348.67108, kTolerance);
  EXPECT_NEAR(plan.PLW, 20748.67108, kTolerance);
  EXPECT_EQ(plan.PLWAlt, 20100.0);
  EXPECT_NEAR(plan.GTOW, 21776.30449, kTolerance);
  EXPECT_NEAR(plan.TaxiWeight, 21876.30449, kTolerance);
  EXPECT_NEAR(plan.TotalFuel, 2376.30449, kTolerance);
  EXPECT_NEAR(plan.TankFuel, 1188.15225, kTolerance);
  const LimitExceedances none;
  EXPECT_EQ(std::tie(outcome.exceeded.zeroFuelWeight, outcome.exceeded.landingWeight,
                     outcome.exceeded.takeoffWeight, outcome.exceeded.taxiWeight,
                     outcome.exceeded.totalFuel),
            std::tie(none.zeroFuelWeight, none.landingWeight, none.takeoffWeight, none.taxiWeight,
                     none.totalFuel));
}

TEST_F(FuelPlanTest, LongestTripExceedsEveryLimitButAZeroFuelWeightAtItsLimit) {
  const PlanOutcome outcome = Compute({.payload = "7000",
                                       .taxiFuel = "100",
                                       .holdingFuel = "300",
                                       .minimumFuel = "600",
                                       .trip = 22,
                                       .flightLevel = 15,
                                       .headwind = "80",
                                       .alternate = 10,
                                       .headwindAlt = "80"});
  EXPECT_NEAR(outcome.EnrouteFuel, 3997.3528, 5e-5);
  EXPECT_NEAR(outcome.AlternateFuel, 2277.9729, 5e-5);
  EXPECT_EQ(plan.ZFW, 20500.0);
  EXPECT_NEAR(plan.PLW, 23677.9729, 5e-5);
  EXPECT_NEAR(plan.GTOW, 27675.3257, 5e-5);
  EXPECT_NEAR(plan.TotalFuel, 7275.3257, 5e-5);
  EXPECT_NEAR(plan.TankFuel, 3637.6628, 5e-5) << "the tank split is not capped";
  EXPECT_FALSE(outcome.exceeded.zeroFuelWeight);
  EXPECT_TRUE(outcome.exceeded.landingWeight && outcome.exceeded.takeoffWeight &&
              outcome.exceeded.taxiWeight && outcome.exceeded.totalFuel);
}

// Trip fuel before its weight correction, for a plan at 15 C with no payload, reserves or
// alternate: the correction is (13500 + fuel - 20500) / 1000 * (distance / 100 * 1.3).
double TripFuelBeforeWeightCorrection(double tripFuel, double distanceNm) {
  const double perTonne = distanceNm / 100 * 1.3 / 1000;
  return (tripFuel + 7000 * perTonne) / (1 + perTonne);
}

TEST_F(FuelPlanTest, HeadwindFactorsMeetAtFiftyKnotsThenSteepenBelow3000Kg) {
  const auto windFactor = [this](const char* wind) {
    return TripFuelBeforeWeightCorrection(TripFuel({.trip = 10, .headwind = wind}), 550) /
           TripFuelBeforeWeightCorrection(TripFuel({.trip = 10}), 550);
  };
  EXPECT_NEAR(windFactor("25"), 1 + 25.0 / 50 * 0.2151, 1e-12);
  EXPECT_NEAR(windFactor("50"), 1.2151, 1e-12);
  EXPECT_NEAR(windFactor("51"), 1.2151 * (1 + 1.0 / 50 * 0.3087), 1e-12);
}

TEST_F(FuelPlanTest, StrongHeadwindOnAHeavyTripUsesTheFlatterFactor) {
  const auto windFactor = [this](const char* wind) {
    return TripFuelBeforeWeightCorrection(TripFuel({.trip = 22, .headwind = wind}), 1150) /
           TripFuelBeforeWeightCorrection(TripFuel({.trip = 22}), 1150);
  };
  EXPECT_NEAR(windFactor("60"), 1.2151 * (1 + 10.0 / 50 * 0.2241), 1e-12);
  EXPECT_NEAR(windFactor("-50"), 1 / 1.1703, 1e-12);
}

TEST_F(FuelPlanTest, WindSignAndDirectionListCombine) {
  const double tail20 = TripFuel({.trip = 5, .headwind = "20", .windType = kTailwind});
  EXPECT_EQ(TripFuel({.trip = 5, .headwind = "-20", .windType = kHeadwind}), tail20);
  EXPECT_EQ(TripFuel({.trip = 5, .headwind = "-20", .windType = kTailwind}),
            TripFuel({.trip = 5, .headwind = "20", .windType = kHeadwind}));
  EXPECT_LT(tail20, TripFuel({.trip = 5}));
}

TEST_F(FuelPlanTest, WindTextsRoundToWholeKnotsOrCountAsCalm) {
  EXPECT_EQ(TripFuel({.headwind = "12.5"}), TripFuel({.headwind = "12"}));
  EXPECT_EQ(TripFuel({.headwind = "13.5"}), TripFuel({.headwind = "14"}));
  EXPECT_EQ(TripFuel({.headwind = "abc"}), TripFuel({}));
  EXPECT_EQ(TripFuel({.headwind = "40000"}), TripFuel({}));
  EXPECT_EQ(TripFuel({.headwind = ""}), TripFuel({}));
}

TEST_F(FuelPlanTest, NoAlternateMeansNoAlternateFuelWhateverItsLevelAndWind) {
  const PlanOutcome outcome = Compute(
      {.holdingFuel = "300", .minimumFuel = "600", .flightLevelAlt = 15, .headwindAlt = "80"});
  EXPECT_EQ(outcome.AlternateFuel, 0.0);
  EXPECT_EQ(plan.PLW, 13500.0 + 600 + 300);
}

TEST_F(FuelPlanTest, PoundsAreReadAsKilogramsDividedByTheFactor) {
  Compute({.payload = "1000", .unit = 0});
  EXPECT_EQ(plan.Payload, 1000 / 2.204623);
  EXPECT_EQ(plan.ZFW, 13500 + 1000 / 2.204623);
}

TEST_F(FuelPlanTest, TailwindOfLowest16BitValueOverflowsAfterTheWeightsAreStored) {
  EXPECT_THROW(Compute({.payload = "5000", .headwind = "-32768", .windType = kTailwind}),
               OverflowFault);
  EXPECT_EQ(plan.Payload, 5000.0);
  EXPECT_EQ(plan.ZFW, 0.0) << "nothing after the fault is computed";
}

TEST_F(FuelPlanTest, HeadwindOfLowest16BitValueOverflowsInItsAbsoluteValue) {
  EXPECT_THROW(Compute({.headwind = "-32768"}), OverflowFault);
  EXPECT_NO_THROW(Compute({.headwindAlt = "-32768"})) << "no alternate, no alternate wind";
  EXPECT_THROW(Compute({.alternate = 1, .headwindAlt = "-32768"}), OverflowFault);
}

TEST_F(FuelPlanTest, AbsurdWeightsOverflowTheDoubleSums) {
  EXPECT_THROW(Compute({.holdingFuel = "1.7e308", .minimumFuel = "1.7e308"}), OverflowFault);
  EXPECT_THROW(Compute({.payload = "1.7e308", .holdingFuel = "1e308"}), OverflowFault);
  EXPECT_NE(plan.ZFW, 0.0) << "the zero fuel weight was stored before the fault";
}

// Worked by hand from the formulas: a 200 nm alternate at FL130 against a 40 kt tail wind.
TEST_F(FuelPlanTest, AlternateLegWithATailwind) {
  const PlanOutcome outcome = Compute({.payload = "5000",
                                       .holdingFuel = "300",
                                       .minimumFuel = "600",
                                       .trip = 3,
                                       .flightLevel = 5,
                                       .alternate = 4,
                                       .flightLevelAlt = 3,
                                       .headwindAlt = "40",
                                       .windTypeAlt = kTailwind});
  EXPECT_NEAR(outcome.AlternateFuel, 508.931937, kTolerance);
  EXPECT_NEAR(outcome.EnrouteFuel, 695.022569, kTolerance);
  EXPECT_NEAR(plan.PLW, 19908.931937, kTolerance);
  EXPECT_NEAR(plan.GTOW, 20603.954506, kTolerance);
}

// Beyond 50 kt the trip's factor changes only above 3000 kg at 50 kt: exactly 3000 kg keeps the
// lighter one. The alternate leg has one factor, whatever its fuel.
TEST(LegFuelTest, TripFactorBeyondFiftyKnotsChangesOnlyAboveThreeThousandKilograms) {
  const double exactly3000At50Kt = 2468.9325981400707;
  ASSERT_EQ(exactly3000At50Kt * 1.2151, 3000.0);
  EXPECT_NEAR(FuelWithWind(exactly3000At50Kt, 100, kTripWind).Value(), 3926.1, 1e-9);
  const double above = std::nextafter(exactly3000At50Kt, 3000.0);
  EXPECT_NEAR(FuelWithWind(above, 100, kTripWind).Value(), 3672.3, 1e-9);
  EXPECT_NEAR(FuelWithWind(3000, 100, kAlternateWind).Value(), 3000 * 1.269 * 1.346, 1e-9);
  EXPECT_NEAR(FuelWithWind(100, 100, kAlternateWind).Value(), 100 * 1.269 * 1.346, 1e-9);
}

// Every limit is strict: a figure exactly at its limit is within it, the next one above is not.
TEST(LimitTest, EachLimitHoldsAtItsValueAndIsExceededJustAboveIt) {
  const AircraftModel atr72 = AircraftModelTable().At(0);
  const PlanResults atLimits{
      .ZFW = 20500, .PLW = 22350, .GTOW = 22500, .TaxiWeight = 22670, .TotalFuel = 5082};
  const LimitExceedances within = CheckLimits(atLimits, atr72);
  EXPECT_FALSE(within.zeroFuelWeight || within.landingWeight || within.takeoffWeight ||
               within.taxiWeight || within.totalFuel);
  const auto above = [](double kg) { return std::nextafter(kg, 1e9); };
  for (double PlanResults::*figure : {&PlanResults::ZFW, &PlanResults::PLW, &PlanResults::GTOW,
                                      &PlanResults::TaxiWeight, &PlanResults::TotalFuel}) {
    PlanResults beyond = atLimits;
    beyond.*figure = above(atLimits.*figure);
    const LimitExceedances exceeded = CheckLimits(beyond, atr72);
    EXPECT_EQ(exceeded.zeroFuelWeight, figure == &PlanResults::ZFW);
    EXPECT_EQ(exceeded.landingWeight, figure == &PlanResults::PLW);
    EXPECT_EQ(exceeded.takeoffWeight, figure == &PlanResults::GTOW);
    EXPECT_EQ(exceeded.taxiWeight, figure == &PlanResults::TaxiWeight);
    EXPECT_EQ(exceeded.totalFuel, figure == &PlanResults::TotalFuel);
  }
}

}  // namespace
}  // namespace tarnwick
