#include <gtest/gtest.h>

#include "core/WeightUnits.h"

namespace tarnwick {
namespace {

constexpr int kPounds = kPoundsUnitIndex;
constexpr int kKilograms = kKilogramsUnitIndex;
constexpr int kNoUnitSelected = -1;

TEST(TextToKg, PoundsDivideByTheOneFactor) {
  EXPECT_EQ(TextToKg("1000", kPounds), 453.5922921968971);
  EXPECT_EQ(KgToText(TextToKg("1000", kPounds), kPounds), "1000");
  EXPECT_EQ(TextToKg("-250", kPounds), -250 / 2.204623);
}

TEST(TextToKg, KilogramsAndNoSelectionTakeTheNumberItself) {
  EXPECT_EQ(TextToKg("1000", kKilograms), 1000.0);
  EXPECT_EQ(TextToKg("1000", kNoUnitSelected), 1000.0);
  EXPECT_EQ(TextToKg("-250", kKilograms), -250.0);
  EXPECT_EQ(TextToKg("12abc", kKilograms), 12.0);
  EXPECT_EQ(TextToKg("1,500", kKilograms), 1.0);
}

TEST(TextToKg, UnreadableTextIsZero) {
  EXPECT_EQ(TextToKg("", kKilograms), 0.0);
  EXPECT_EQ(TextToKg("abc", kPounds), 0.0);
  EXPECT_EQ(TextToKg("1e400", kKilograms), 0.0);
  EXPECT_EQ(TextToKg("1e-320", kPounds), 1e-320 / 2.204623);
}

TEST(KgToText, RoundsHalvesToEvenInTheDisplayUnit) {
  EXPECT_EQ(KgToText(0.5, kKilograms), "0");
  EXPECT_EQ(KgToText(1.5, kKilograms), "2");
  EXPECT_EQ(KgToText(2.5, kKilograms), "2");
  EXPECT_EQ(KgToText(-1.5, kKilograms), "-2");
  EXPECT_EQ(KgToText(-0.4, kKilograms), "0");
  EXPECT_EQ(KgToText(13739.11, kKilograms), "13739");
  EXPECT_EQ(KgToText(13500, kPounds), "29762");
  EXPECT_EQ(KgToText(13500, kNoUnitSelected), "13500");
}

TEST(KgToText, WeightsBeyondThirtyTwoBitsShowAsQuestionMarks) {
  EXPECT_EQ(KgToText(3e9, kKilograms), "???");
  EXPECT_EQ(KgToText(3e9, kPounds), "???");
  EXPECT_EQ(KgToText(1e300, kPounds), "???");
  EXPECT_EQ(KgToText(-2147483648.0, kKilograms), "-2147483648");
}

TEST(UnitTexts, OnlyIndexOneIsKilograms) {
  EXPECT_EQ(UnitCaption(kKilograms), "Kgs.");
  EXPECT_EQ(UnitCaption(kPounds), "Lbs.");
  EXPECT_EQ(UnitSuffix(kNoUnitSelected), " Lbs.");
  EXPECT_EQ(UnitSuffix(kKilograms), " Kgs.");
}

}  // namespace
}  // namespace tarnwick
