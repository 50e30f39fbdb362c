#include <gtest/gtest.h>

#include <limits>

#include "core/ArithmeticFault.h"
#include "core/CheckedDouble.h"
#include "core/CheckedInteger.h"

namespace tarnwick {
namespace {

TEST(CheckedInt16, StepsThatLeaveSixteenBitsOverflow) {
  const CheckedInt16 lowest(-32768);
  EXPECT_EQ((CheckedInt16(32766) + 1).Value(), 32767);
  EXPECT_THROW(CheckedInt16(32767) + 1, OverflowFault);
  EXPECT_THROW(lowest - 1, OverflowFault);
  EXPECT_THROW(CheckedInt16(330) * 100, OverflowFault);
  EXPECT_THROW(-lowest, OverflowFault);
  EXPECT_THROW(Abs(lowest), OverflowFault);
  EXPECT_EQ(Abs(CheckedInt16(-32767)).Value(), 32767);
  EXPECT_THROW(CheckedInt16::FromWide(32768), OverflowFault);
}

TEST(CheckedInt32, ProductBeyondThirtyTwoBitsOverflows) {
  EXPECT_EQ((CheckedInt32(2) * 2541).Value(), 5082);
  EXPECT_THROW(CheckedInt32(2) * std::numeric_limits<std::int32_t>::max(), OverflowFault);
}

TEST(CheckedDouble, InfiniteResultsAndZeroDivisorsAreFaults) {
  const CheckedDouble huge = std::numeric_limits<double>::max();
  EXPECT_THROW(huge * 2, OverflowFault);
  EXPECT_THROW(huge + huge, OverflowFault);
  EXPECT_THROW(CheckedDouble(0) - huge - huge, OverflowFault);
  EXPECT_THROW(CheckedDouble(1) / 0, DivisionByZeroFault);
  EXPECT_THROW(CheckedDouble(std::numeric_limits<double>::quiet_NaN()), InvalidOperationFault);
  EXPECT_EQ((CheckedDouble(1) / 4 + 0.5).Value(), 0.75);
}

}  // namespace
}  // namespace tarnwick
