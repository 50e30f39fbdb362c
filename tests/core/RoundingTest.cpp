#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/ArithmeticFault.h"
#include "core/Rounding.h"

namespace tarnwick {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(13739.11), 13739.0);
  EXPECT_EQ(RoundHalfEven(0.49999999999999994), 0.0);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);
}

TEST(Rounding, IntoSixteenBitsFailsBeyondItsRange) {
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
  EXPECT_EQ(RoundToInt16(12.5), 12);
  EXPECT_EQ(RoundToInt16(13.5), 14);
  EXPECT_THROW(RoundToInt16(32767.5), OverflowFault);
  EXPECT_THROW(RoundToInt16(40000), OverflowFault);
  EXPECT_THROW(RoundToInt16(std::nan("")), OverflowFault);
}

TEST(Rounding, IntoThirtyTwoBitsFailsBeyondItsRange) {
  EXPECT_EQ(RoundToInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundToInt32(2147483646.5), 2147483646);
  EXPECT_THROW(RoundToInt32(2147483647.5), OverflowFault);
  EXPECT_THROW(RoundToInt32(3e9), OverflowFault);
  EXPECT_THROW(RoundToInt32(-std::numeric_limits<double>::infinity()), OverflowFault);
}

TEST(Rounding, SinglePrecisionStoreKeepsItsRoundingAndRange) {
  EXPECT_EQ(StoreSingle(50 + 18.3), 68.30000305175781);
  EXPECT_EQ(StoreSingle(300 + 18.3), 318.29998779296875);
  EXPECT_EQ(StoreSingle(100 + 30.64), 130.63999938964844);
  EXPECT_EQ(StoreSingle(3.4028235e38), static_cast<double>(std::numeric_limits<float>::max()));
  EXPECT_THROW(StoreSingle(3.5e38), OverflowFault);
  EXPECT_THROW(StoreSingle(-1e300), OverflowFault);
}

}  // namespace
}  // namespace tarnwick
