#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "print/PrintUrl.h"
#include "tests/ui/MainWindowFixture.h"

namespace tarnwick {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::string_view kBase = "http://host.example/Tarnwick/";
constexpr std::string_view kPrintPage = "http://host.example/Tarnwick/print.php?";
constexpr int kPounds = 0;
constexpr int kTailwind = 1;

// Positions of the print page's values, counted from 1 as the page counts them.
constexpr std::size_t kTankValue = 1;
constexpr std::size_t kTripWindTypeValue = 4;
constexpr std::size_t kAlternateWindTypeValue = 9;
constexpr std::size_t kV1Value = 24;
constexpr std::size_t kV2Value = 25;
constexpr std::size_t kVmLB15Value = 28;

class PrintUrlTest : public MainWindowFixture {
 protected:
  std::string Query() {
    const std::string url = PrintUrl(c(), kBase);
    EXPECT_TRUE(url.starts_with(kPrintPage)) << url;
    return url.substr(kPrintPage.size());
  }
  std::string Value(std::size_t position) { return PrintValues(c()).at(position - 1); }
  void Pick(ComboBox& list, std::string_view item) { list.SetSelectedIndex(list.IndexOf(item)); }
};

TEST_F(PrintUrlTest, ExampleAStateGivesItsQueryDigitForDigit) {
  Start();
  EXPECT_EQ(Query(),
            "120+50+FL100+0+0+15+0+FL100+0+0+13500++13500+13739+13739+13500+13500++239++0++239+"
            "104+110+114+114+n/a+95+Kgs.");
}

TEST_F(PrintUrlTest, PoundsSendEveryWeightInPoundsAndNameTheUnitLast) {
  Start();
  c().cboUnits.SetSelectedIndex(kPounds);
  EXPECT_EQ(Query(),
            "264+50+FL100+0+0+15+0+FL100+0+0+29762++29762+30290+30290+29762+29762++527++0++527+"
            "104+110+114+114+n/a+95+Lbs.");
}

// Nearly every place holds a value of its own here, so a value in the wrong place shows.
TEST_F(PrintUrlTest, ExampleBStateSendsEachValueInItsPlace) {
  Start();
  Pick(c().cboTripDistance, "300");
  Pick(c().cboCruisingAlt, "FL200");
  c().txtHeadwind.SetText("30");
  Pick(c().cboTemp, "20");
  Pick(c().cboAlternateDistance, "100");
  Pick(c().cboCruisingAltAlt, "FL150");
  c().txtHeadwindAlt.SetText("10");
  c().txtPayload.SetText("6000");
  c().txtTaxiFuel.SetText("100");
  c().txtHoldingFuel.SetText("300");
  c().txtMinimumFuel.SetText("600");
  EXPECT_EQ(Query(),
            "1188+300+FL200+0+30+20+100+FL150+0+10+13500+6000+19500+21876+21776+20749+20100+100+"
            "1028+300+349+600+2376+109+113+138+138+n/a+109+Kgs.");
}

TEST_F(PrintUrlTest, IcingSendsTheIcingSpeedsWhereNoIcingSendsVmLB15AsNotApplicable) {
  Start();
  EXPECT_EQ(Value(kVmLB15Value), "n/a");
  c().chkIcing.SetValue(1);
  const std::vector<std::string> values = PrintValues(c());
  EXPECT_THAT(std::vector(values.begin() + kV1Value - 1, values.end() - 1),
              ElementsAre("104", "110", "110", "136", "107", "97"));
}

TEST_F(PrintUrlTest, NegativeTemperatureKeepsItsMinusSignUnencoded) {
  Start();
  Pick(c().cboTemp, "-5");
  EXPECT_THAT(Query(), HasSubstr("+FL100+0+0+-5+0+"));
}

TEST_F(PrintUrlTest, EmptyPayloadLeavesTwoSeparatorsSideBySide) {
  Start();
  c().txtPayload.SetText("2500");
  EXPECT_THAT(Query(), HasSubstr("+13500+2500+16000+"));
  c().txtPayload.SetText("");
  EXPECT_THAT(Query(), HasSubstr("+13500++13500+"));
}

// Wind types go as the list's index, -1 included; other lists send the selected text, none.
TEST_F(PrintUrlTest, ListsWithoutASelectionSendTheirIndexOrNothing) {
  Start();
  c().cboWindType.SetSelectedIndex(kTailwind);
  c().cboWindTypeAlt.SetSelectedIndex(ComboBox::kNoSelection);
  c().cboUnits.SetSelectedIndex(ComboBox::kNoSelection);
  EXPECT_EQ(Value(kTripWindTypeValue), "1");
  EXPECT_EQ(Value(kAlternateWindTypeValue), "-1");
  EXPECT_TRUE(Query().ends_with("+95+")) << Query();
}

// The query as a peer page reads it: split on "+", then each value percent-decoded.
std::vector<std::string> SplitAndDecoded(const std::string& query) {
  std::vector<std::string> values(1);
  for (std::size_t i = 0; i < query.size(); ++i) {
    if (query[i] == '+') {
      values.emplace_back();
    } else if (query[i] == '%' && i + 2 < query.size()) {
      values.back() += static_cast<char>(std::stoi(query.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      values.back() += query[i];
    }
  }
  return values;
}

// A pasted text may hold the query's own separators, a fragment mark, line breaks or control
// characters: each value still arrives whole, in its place.
TEST_F(PrintUrlTest, ValuesThatWouldBreakTheQueryArriveWhole) {
  Start();
  c().txtHeadwind.SetText("1+2#3%");
  c().txtHeadwindAlt.SetText("a b&c=d\r\n\x01\x7f'\"<>");
  c().txtGTOW.SetText("\xc3\xa9\xe2\x80\xae");
  const std::string query = Query();
  EXPECT_THAT(query, HasSubstr("+0+1%2B2%233%25+15+"));
  EXPECT_THAT(query, HasSubstr("+0+a%20b%26c=d%0D%0A%01%7F%27%22%3C%3E+"));
  EXPECT_THAT(query, HasSubstr("+13740+%C3%A9%E2%80%AE+13500+"));
  EXPECT_EQ(SplitAndDecoded(query), PrintValues(c()));
}

TEST_F(PrintUrlTest, TankTextLosesItsLastFiveCharactersOrAllItHas) {
  Start();
  const std::vector<std::pair<std::string, std::string>> tankTexts{
      {"13180 Lbs.", "13180"}, {"0 lbs.", "0"}, {" Kgs.", ""}, {"Kgs.", ""}, {"", ""}};
  for (const auto& [text, sent] : tankTexts) {
    c().txtRightTank.SetText(text);
    EXPECT_EQ(Value(kTankValue), sent) << "'" << text << "'";
  }
}

TEST_F(PrintUrlTest, CaptionLosesAsManyLeadingCharactersAsItsPrefixHasOrAllItHas) {
  Start();
  const std::vector<std::pair<std::string, std::string>> captions{
      {"V2: 123", "123"}, {"V2= 99", "99"}, {"V2: ", ""}, {"V2:", ""}, {"", ""}};
  for (const auto& [caption, sent] : captions) {
    c().lblV2.SetCaption(caption);
    EXPECT_EQ(Value(kV2Value), sent) << "'" << caption << "'";
    EXPECT_EQ(PrintValues(c()).size(), kPrintValueCount);
  }
}

}  // namespace
}  // namespace tarnwick
