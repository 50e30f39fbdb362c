#include <gtest/gtest.h>

#include "core/TakeoffSpeeds.h"

namespace tarnwick {
namespace {

constexpr bool kIcing = true;
constexpr bool kNoIcing = false;

int V1(double kg) { return SelectTakeoffSpeeds(kg, kNoIcing).v1; }

TEST(TakeoffSpeeds, EachBoundBelongsToTheBandItStarts) {
  EXPECT_EQ(V1(22500.0), 112);
  EXPECT_EQ(V1(22499.9), 111);
  EXPECT_EQ(V1(21999.6), 109);
  EXPECT_EQ(SelectTakeoffSpeeds(16000.0, kNoIcing).vfto, 118);
  EXPECT_EQ(SelectTakeoffSpeeds(15999.9, kNoIcing).vfto, 114);
}

TEST(TakeoffSpeeds, ThereIsNoBoundAt20500) {
  EXPECT_EQ(SelectTakeoffSpeeds(20750, kIcing), SelectTakeoffSpeeds(20000, kIcing));
  EXPECT_EQ(SelectTakeoffSpeeds(20750, kIcing).v1, 113);
}

TEST(TakeoffSpeeds, WeightsBeyondTheTableUseItsEndRows) {
  EXPECT_EQ(SelectTakeoffSpeeds(1e9, kNoIcing),
            (TakeoffSpeeds{112, 115, 140, 140, std::nullopt, 113}));
  EXPECT_EQ(SelectTakeoffSpeeds(0, kIcing), (TakeoffSpeeds{104, 110, 110, 136, 107, 97}));
  EXPECT_EQ(SelectTakeoffSpeeds(-5000, kIcing), SelectTakeoffSpeeds(0, kIcing));
}

TEST(TakeoffSpeeds, IcingPicksTheOtherColumnAndTheOnlyVmLB15) {
  EXPECT_EQ(SelectTakeoffSpeeds(22200, kIcing), (TakeoffSpeeds{120, 123, 128, 165, 131, 120}));
  EXPECT_EQ(SelectTakeoffSpeeds(19500, kNoIcing),
            (TakeoffSpeeds{104, 110, 129, 129, std::nullopt, 102}));
  for (double kg : {15000.0, 16500.0, 17500.0}) {
    const TakeoffSpeeds dry = SelectTakeoffSpeeds(kg, kNoIcing);
    const TakeoffSpeeds iced = SelectTakeoffSpeeds(kg, kIcing);
    EXPECT_EQ(dry.v1, iced.v1);
    EXPECT_EQ(dry.v2, iced.v2);
    EXPECT_NE(dry.vmlb0, iced.vmlb0);
  }
}

// The rows that start at 21000, 18000 and 17000 kg, in both columns, against the rows below.
TEST(TakeoffSpeeds, RowsStartingAt21000And18000And17000) {
  EXPECT_EQ(SelectTakeoffSpeeds(21000, kNoIcing),
            (TakeoffSpeeds{108, 111, 136, 136, std::nullopt, 108}));
  EXPECT_EQ(SelectTakeoffSpeeds(21000, kIcing), (TakeoffSpeeds{117, 121, 125, 161, 128, 117}));
  EXPECT_EQ(SelectTakeoffSpeeds(20999.99, kIcing), (TakeoffSpeeds{113, 118, 122, 157, 125, 114}));
  EXPECT_EQ(SelectTakeoffSpeeds(18000, kNoIcing),
            (TakeoffSpeeds{104, 110, 125, 125, std::nullopt, 99}));
  EXPECT_EQ(SelectTakeoffSpeeds(18000, kIcing), (TakeoffSpeeds{106, 111, 115, 149, 118, 107}));
  EXPECT_EQ(SelectTakeoffSpeeds(17999.99, kIcing), (TakeoffSpeeds{104, 110, 111, 145, 115, 104}));
  EXPECT_EQ(SelectTakeoffSpeeds(17000, kNoIcing),
            (TakeoffSpeeds{104, 110, 121, 121, std::nullopt, 96}));
  EXPECT_EQ(SelectTakeoffSpeeds(16999.99, kIcing), (TakeoffSpeeds{104, 110, 110, 140, 111, 100}));
}

}  // namespace
}  // namespace tarnwick
