#include <gtest/gtest.h>

#include "ui/InformationMessages.h"
#include "ui/NumberFormat.h"

namespace tarnwick {
namespace {

const AircraftModel& Atr72() {
  static const AircraftModelTable table;
  return table.At(0);
}

TEST(OperatingLimitations, ListsEveryLimitInPoundsLineByLine) {
  const MessageBoxContent message = OperatingLimitationsMessage(Atr72(), 0, ",");
  EXPECT_EQ(message.title, "ATR 72-500 Operating Limitations");
  EXPECT_EQ(message.style, MessageBoxStyle::kInformation);
  EXPECT_EQ(message.text,
            "ATR 72-500 Operating Limitations:\r\n"
            "\r\n"
            "Basic Operating Weight: 29,762 Lbs.\r\n"
            "Maximum Zero Fuel Weight: 45,195 Lbs.\r\n"
            "Maximum Landing Weight: 49,273 Lbs.\r\n"
            "Maximum Gross Takeoff Weight: 49,604 Lbs.\r\n"
            "Maximum Taxi Weight: 49,979 Lbs.\r\n"
            "Fuel Capacity: 11,204 Lbs.\r\n");
}

TEST(OperatingLimitations, KilogramsShowBothTanksAndTheLocaleGroupsDigits) {
  const std::string text = OperatingLimitationsMessage(Atr72(), 1, ".").text;
  EXPECT_NE(text.find("Basic Operating Weight: 13.500 Kgs.\r\n"), std::string::npos);
  EXPECT_NE(text.find("Fuel Capacity: 5.082 Kgs.\r\n"), std::string::npos);
  EXPECT_NE(OperatingLimitationsMessage(Atr72(), -1, ",").text.find("13,500 Lbs."),
            std::string::npos)
      << "no unit selected: kilogram figures, pound suffix";
}

TEST(FormatGrouped, GroupsWholeNumbersInThreesAndBlanksZero) {
  EXPECT_EQ(FormatGrouped("0", ","), "");
  EXPECT_EQ(FormatGrouped("999", ","), "999");
  EXPECT_EQ(FormatGrouped("1000", ","), "1,000");
  EXPECT_EQ(FormatGrouped("-1500", ","), "-1,500");
  EXPECT_EQ(FormatGrouped("1234567", "\u202F"), "1\u202F234\u202F567");
  EXPECT_EQ(FormatGrouped("???", ","), "???");
}

TEST(About, NamesVersionAuthorAndSiteWithoutATrailingLineBreak) {
  EXPECT_EQ(AboutMessage({1, 1, 1}, "A. Pilot", "http://example.org/Tarnwick/").text,
            "Tarnwick\r\n\r\nVersion 1.1.1\r\n\r\nBy A. Pilot\r\n\r\nhttp://example.org/Tarnwick/");
  EXPECT_EQ(VersionText({1, 1, 0}), "1.1");
  EXPECT_EQ(VersionText({2, 0, 3}), "2.0.3");
  EXPECT_EQ(AboutMessage(kProgramVersion, "x", "y").title, "About");
}

}  // namespace
}  // namespace tarnwick
