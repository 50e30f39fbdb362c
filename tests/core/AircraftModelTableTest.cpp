#include <gtest/gtest.h>

#include "core/AircraftModelTable.h"
#include "core/ArithmeticFault.h"

namespace tarnwick {
namespace {

TEST(AircraftModelTable, HoldsTheAtr72AtIndexZeroOnly) {
  const AircraftModelTable table;
  EXPECT_EQ(table.At(0).name, "ATR 72-500");
  EXPECT_EQ(table.At(0).basicOperatingWeightKg, 13500);
  EXPECT_THROW(table.At(1), SubscriptOutOfRange);
  EXPECT_THROW(table.At(-1), SubscriptOutOfRange);
}

TEST(AircraftModelTable, FuelCapacityIsBothTanksTogether) {
  EXPECT_EQ(TotalFuelCapacityKg(AircraftModelTable().At(0)), 5082);
  AircraftModel absurd = AircraftModelTable().At(0);
  absurd.tankCapacityKg = 1'500'000'000;
  EXPECT_THROW(TotalFuelCapacityKg(absurd), OverflowFault);
}

}  // namespace
}  // namespace tarnwick
