#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "ui/MainWindow.h"

namespace tarnwick {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Field;

constexpr int kPounds = 0;
constexpr int kTailwind = 1;

std::vector<std::string> UnitCaptions(const MainWindowControls& controls) {
  std::vector<std::string> captions;
  for (const Label& label : controls.lblUnits) captions.push_back(label.Caption());
  return captions;
}

using MainWindowTest = MainWindowFixture;

TEST_F(MainWindowTest, FirstStartShowsTheStartPlanInKilograms) {
  Start();
  EXPECT_EQ(c().frmMain.Caption(), "Tarnwick");
  EXPECT_THAT(UnitCaptions(c()), Each(std::string("Kgs.")));
  for (const TextBox* box : {&c().txtBOW, &c().txtZFW, &c().txtPLW, &c().txtPLWAlt}) {
    EXPECT_EQ(box->Text(), "13500") << box->Name();
  }
  EXPECT_EQ(c().txtGTOW.Text(), "13739");
  EXPECT_EQ(c().txtTaxiWeight.Text(), "13739");
  EXPECT_EQ(c().txtEnrouteFuel.Text(), "239");
  EXPECT_EQ(c().txtAlternateFuel.Text(), "0");
  EXPECT_EQ(c().txtTotalFuel.Text(), "239");
  EXPECT_EQ(c().txtPayload.Text(), "");
  EXPECT_EQ(c().txtMinimumFuel.Text(), "");
  EXPECT_EQ(c().txtHeadwind.Text(), "0");
  EXPECT_EQ(c().txtRightTank.Text(), "120 Kgs.");
  EXPECT_EQ(c().txtLeftTank.Text(), "120 Kgs.");
  EXPECT_EQ(c().txtLeftTank.TextColor(), kBlue);
  EXPECT_EQ(c().txtGTOW.TextColor(), kBlack);
  EXPECT_EQ(c().cboTemp.SelectedText(), "15");
  EXPECT_EQ(c().cboCruisingAltAlt.SelectedText(), "FL100");
  EXPECT_EQ(c().cboWindTypeAlt.SelectedText(), "Headwind:");
  EXPECT_EQ(c().lblV1.Caption(), "V1/Vr: 104");
  EXPECT_EQ(c().lblVmLB15.Caption(), "VmLB15: n/a");
  EXPECT_EQ(c().lblVmHB30.Caption(), "VmHB30: 95");
  EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(MainWindowTest, PoundsRewriteEveryFigureAndEveryUnitLabel) {
  Start();
  c().cboUnits.SetSelectedIndex(kPounds);
  EXPECT_THAT(UnitCaptions(c()), Each(std::string("Lbs.")));
  EXPECT_EQ(c().txtBOW.Text(), "29762");
  EXPECT_EQ(c().txtGTOW.Text(), "30290");
  EXPECT_EQ(c().txtEnrouteFuel.Text(), "527");
  EXPECT_EQ(c().txtRightTank.Text(), "264 Lbs.");
  EXPECT_EQ(c().lblV1.Caption(), "V1/Vr: 104") << "the unit never moves the speed band";
}

TEST_F(MainWindowTest, OnlyDigitsAndBackspaceGetThroughTheKeyFilter) {
  Start();
  for (TextBox* box : c().InputBoxes()) {
    const std::string before = box->Text();
    for (std::int16_t key :
         std::initializer_list<std::int16_t>{'-', '.', '+', ' ', 'a', 3, 22, 13}) {
      EXPECT_FALSE(box->TypeKeyAtEnd(key)) << box->Name() << " took key " << key;
    }
    EXPECT_EQ(box->Text(), before);
  }
  Type(c().txtHeadwind, "5");
  EXPECT_EQ(c().txtHeadwind.Text(), "05");
  EXPECT_TRUE(c().txtHeadwind.TypeKeyAtEnd(kBackspaceKey));
  EXPECT_EQ(c().txtHeadwind.Text(), "0");
}

TEST_F(MainWindowTest, EveryAcceptedKeystrokeRecalculates) {
  Start();
  Type(c().txtPayload, "7");
  EXPECT_EQ(c().txtZFW.Text(), "13507");
  Type(c().txtPayload, "000");
  EXPECT_EQ(c().txtZFW.Text(), "20500");
  Type(c().txtPayload, "\b");
  EXPECT_EQ(c().txtZFW.Text(), "14200");
}

TEST_F(MainWindowTest, TypingZeroIntoAnEmptyWeightBoxLeavesItEmpty) {
  Start();
  Type(c().txtTaxiFuel, "0");
  EXPECT_EQ(c().txtTaxiFuel.Text(), "");
}

TEST_F(MainWindowTest, SwitchingUnitsKeepsTheDigitsWhichNowMeanTheNewUnit) {
  Start();
  c().cboUnits.SetSelectedIndex(kPounds);
  Type(c().txtPayload, "1000");
  EXPECT_EQ(c().txtZFW.Text(), "30762");
  c().cboUnits.SetSelectedIndex(1);
  EXPECT_EQ(c().txtPayload.Text(), "1000");
  EXPECT_EQ(c().txtZFW.Text(), "14500");
}

TEST_F(MainWindowTest, OwnWritesIntoInputBoxesDoNotRecalculateAgain) {
  Start();
  c().txtPayload.SetText("5000.7");
  EXPECT_EQ(c().txtPayload.Text(), "5001");
  // A nested pass would have read the rewritten "5001".
  EXPECT_EQ(state.plan.Payload, 5000.7);
}

TEST_F(MainWindowTest, LongTripTurnsTheExceededFiguresRed) {
  Start();
  c().txtPayload.SetText("7000");
  c().cboTripDistance.SetSelectedIndex(c().cboTripDistance.IndexOf("1150"));
  c().cboCruisingAlt.SetSelectedIndex(c().cboCruisingAlt.IndexOf("FL250"));
  c().txtHeadwind.SetText("80");
  c().cboAlternateDistance.SetSelectedIndex(c().cboAlternateDistance.IndexOf("500"));
  c().txtHeadwindAlt.SetText("80");
  c().txtTaxiFuel.SetText("100");
  c().txtHoldingFuel.SetText("300");
  c().txtMinimumFuel.SetText("600");
  EXPECT_EQ(c().txtZFW.TextColor(), kBlack);
  for (const TextBox* box : {&c().txtPLW, &c().txtGTOW, &c().txtTaxiWeight, &c().txtTotalFuel,
                             &c().txtLeftTank, &c().txtRightTank}) {
    EXPECT_EQ(box->TextColor(), kRed) << box->Name();
  }
  EXPECT_EQ(c().txtRightTank.Text(), "3638 Kgs.");
  EXPECT_EQ(c().lblV1.Caption(), "V1/Vr: 112");
  c().chkIcing.SetValue(1);
  EXPECT_EQ(c().lblVmLB15.Caption(), "VmLB15: 133");
  c().cboAlternateDistance.SetSelectedIndex(0);
  c().txtPayload.SetText("");
  EXPECT_EQ(c().txtGTOW.TextColor(), kBlack);
  EXPECT_EQ(c().txtLeftTank.TextColor(), kBlue);
}

// Weights too large to show come back as "???" after their pass and read as 0 in the next, so
// two of them never meet in one sum: no double overflows through the window. A wind of "&H8000"
// (-32768 in 16 bits) does overflow, as a head wind and as a tail wind.
TEST_F(MainWindowTest, HugeWeightsShowAsUnknownAndAHexadecimalWindOverflows) {
  Start();
  c().txtHoldingFuel.SetText("1.7e308");
  EXPECT_EQ(c().txtHoldingFuel.Text(), "???");
  c().txtMinimumFuel.SetText("1.7e308");
  EXPECT_EQ(c().txtHoldingFuel.Text(), "") << "read as 0 in the second pass";
  EXPECT_EQ(c().txtMinimumFuel.Text(), "???");
  EXPECT_THAT(messages.Shown(), testing::IsEmpty());
  const MessageBoxContent overflow{"Invalid value entered, please enter a lower value.", "Error",
                                   MessageBoxStyle::kExclamation};
  c().txtHeadwind.SetText("&H8000");
  c().cboWindType.SetSelectedIndex(kTailwind);
  EXPECT_THAT(messages.Shown(), ElementsAre(overflow, overflow));
}

TEST_F(MainWindowTest, OverflowIsExplainedAndTheNextPassWorksAgain) {
  Start();
  c().cboWindType.SetSelectedIndex(kTailwind);
  c().txtPayload.SetText("2000");
  const std::string lastTakeoffWeight = c().txtGTOW.Text();
  c().txtHeadwind.SetText("-32768");
  const MessageBoxContent overflow{"Invalid value entered, please enter a lower value.", "Error",
                                   MessageBoxStyle::kExclamation};
  EXPECT_THAT(messages.Shown(), ElementsAre(overflow));
  c().txtPayload.SetText("2500");
  EXPECT_THAT(messages.Shown(), ElementsAre(overflow, overflow));
  EXPECT_EQ(state.plan.Payload, 2500.0) << "the inputs read before the fault are kept";
  EXPECT_EQ(c().txtGTOW.Text(), lastTakeoffWeight) << "figures keep the last complete pass";
  EXPECT_FALSE(window->Recalculate());

  c().txtHeadwind.SetText("20");
  EXPECT_EQ(messages.Shown().size(), 3u);
  EXPECT_TRUE(window->Recalculate());
  c().txtPayload.SetText("2000");
  Type(c().txtPayload, "0");
  EXPECT_EQ(c().txtPayload.Text(), "20000");
  EXPECT_EQ(c().txtZFW.Text(), "33500");
  EXPECT_EQ(c().txtZFW.TextColor(), kRed);
}

TEST_F(MainWindowTest, TankFiguresBeyondThirtyTwoBitsShowAsQuestionMarksInEitherUnit) {
  Start();
  c().txtTaxiFuel.SetText("5000000000");
  EXPECT_EQ(c().txtRightTank.Text(), "??? Kgs.");
  EXPECT_EQ(c().txtTotalFuel.Text(), "???");
  EXPECT_EQ(c().txtTaxiFuel.Text(), "???") << "and so reads as 0 at the next pass";
  c().cboUnits.SetSelectedIndex(kPounds);
  c().txtTaxiFuel.SetText("9000000000");
  EXPECT_EQ(c().txtLeftTank.Text(), "??? Lbs.");
  EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(MainWindowTest, ExitClosesTheLinkThenSavesAllSixteenKeys) {
  Start();
  c().cmdExit.Click();
  EXPECT_TRUE(c().frmMain.IsUnloaded());
  EXPECT_EQ(linkClosedWithKeysStored, 0u);
  EXPECT_EQ(store.Values().size(), 16u);
}

TEST_F(MainWindowTest, InformationButtonsShowTheirMessages) {
  Start();
  c().cmdOperatingLimits.Click();
  c().cmdAbout.Click();
  ASSERT_EQ(messages.Shown().size(), 2u);
  EXPECT_EQ(messages.Shown()[0].title, "ATR 72-500 Operating Limitations");
  EXPECT_THAT(messages.Shown()[0].text, ::testing::HasSubstr("Fuel Capacity: 5,082 Kgs.\r\n"));
  EXPECT_EQ(messages.Shown()[1].title, "About");
  EXPECT_THAT(messages.Shown(),
              Each(Field(&MessageBoxContent::style, MessageBoxStyle::kInformation)));
}

TEST(FilterDigitKey, PassesDigitsAndBackspaceOnly) {
  EXPECT_EQ(FilterDigitKey('0'), '0');
  EXPECT_EQ(FilterDigitKey('9'), '9');
  EXPECT_EQ(FilterDigitKey(8), 8);
  for (std::int16_t key :
       std::initializer_list<std::int16_t>{'/', ':', '-', 0, 13, 127, -1, 0x0660}) {
    EXPECT_EQ(FilterDigitKey(key), 0);
  }
}

}  // namespace
}  // namespace tarnwick
