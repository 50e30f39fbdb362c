#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "ui/PickLists.h"
#include "ui/StoredValues.h"
#include "ui/WindowSettings.h"

namespace tarnwick {
namespace {

using WindowSettingsTest = MainWindowFixture;

TEST_F(WindowSettingsTest, EmptyStoreStartsWithTheDefaults) {
  Start();
  EXPECT_EQ(c().cboUnits.SelectedText(), "Kgs.");
  EXPECT_EQ(c().cboTripDistance.SelectedText(), "50");
  EXPECT_EQ(c().cboCruisingAlt.SelectedText(), "FL100");
  EXPECT_EQ(c().cboWindType.SelectedText(), "Headwind:");
  EXPECT_EQ(c().cboAlternateDistance.SelectedText(), "0");
  EXPECT_EQ(c().cboTemp.SelectedIndex(), 75);
  EXPECT_EQ(c().txtHeadwindAlt.Text(), "0");
  EXPECT_EQ(c().chkIcing.Value(), 0);
  EXPECT_EQ(state.model, 0);
}

TEST_F(WindowSettingsTest, StoredWeightShowsInTheStoredUnit) {
  Store("Payload", "1000");
  Start();
  EXPECT_EQ(c().txtPayload.Text(), "1000");
  Store("Units", "0");
  Restart();
  EXPECT_EQ(c().txtPayload.Text(), "2205");
}

TEST_F(WindowSettingsTest, RestartRestoresEverythingAndWeightsTravelInKilograms) {
  Start();
  c().cboUnits.SetSelectedIndex(0);
  c().txtPayload.SetText("1000");
  c().cboTemp.SetSelectedIndex(c().cboTemp.IndexOf("-5"));
  c().cboWindTypeAlt.SetSelectedIndex(1);
  c().txtHeadwind.SetText("");
  c().txtHeadwindAlt.SetText("12 kt");
  c().chkIcing.SetValue(1);
  c().frmMain.Unload();
  EXPECT_EQ(Stored("Payload"), "453.592292196897");
  EXPECT_EQ(Stored("TaxiFuel"), "0");
  EXPECT_EQ(Stored("Temp"), "55");

  Restart();
  EXPECT_EQ(c().cboUnits.SelectedText(), "Lbs.");
  EXPECT_EQ(c().txtPayload.Text(), "1000");
  EXPECT_EQ(c().cboTemp.SelectedText(), "-5");
  EXPECT_EQ(c().cboWindTypeAlt.SelectedIndex(), 1);
  EXPECT_EQ(c().txtHeadwind.Text(), "");
  EXPECT_EQ(c().txtHeadwindAlt.Text(), "12 kt");
  EXPECT_EQ(c().chkIcing.Value(), 1);
  EXPECT_EQ(c().lblVmLB15.Caption(), "VmLB15: 107");
}

TEST_F(WindowSettingsTest, WeightsSurviveAChangeOfLocaleBetweenRuns) {
  const NumberFormat german{.groupSeparator = ".", .decimalSeparator = ","};
  Start(german);
  c().cboUnits.SetSelectedIndex(0);
  c().txtHoldingFuel.SetText("1000");
  c().frmMain.Unload();
  EXPECT_EQ(Stored("HoldingFuel"), "453.592292196897");
  Restart();
  EXPECT_EQ(c().txtHoldingFuel.Text(), "1000");

  Store("HoldingFuel", "453,592292196897");
  Restart(german);
  EXPECT_EQ(c().txtHoldingFuel.Text(), "1000");
}

TEST_F(WindowSettingsTest, WeightStoredWithADecimalCommaReadsUnderADotLocale) {
  Store("Units", "0");
  Store("Payload", "453,592292196897");
  Start({.groupSeparator = ",", .decimalSeparator = "."});
  EXPECT_EQ(c().txtPayload.Text(), "1000");
  c().frmMain.Unload();
  EXPECT_EQ(Stored("Payload"), "453.592292196897");
}

TEST_F(WindowSettingsTest, UnusableStoredValuesFallBackToTheirDefaults) {
  Store("Units", "7");
  Store("Icing", "2");
  Store("TripDistance", "40");
  Store("CruisingAlt", "-1");
  Store("WindType", "abc");
  Store("Temp", "99999");
  Store("AlternateDistance", "1.5");
  Store("Payload", "heavy");
  Store("TaxiFuel", "1e999");
  Store("HoldingFuel", "nan");
  Store("Model", "1");
  Start();
  EXPECT_EQ(c().cboUnits.SelectedIndex(), 1);
  EXPECT_EQ(c().chkIcing.Value(), 0);
  EXPECT_EQ(c().cboTripDistance.SelectedIndex(), 0);
  EXPECT_EQ(c().cboCruisingAlt.SelectedIndex(), 0);
  EXPECT_EQ(c().cboWindType.SelectedIndex(), 0);
  EXPECT_EQ(c().cboTemp.SelectedIndex(), 75);
  EXPECT_EQ(c().cboAlternateDistance.SelectedIndex(), 0);
  EXPECT_EQ(c().txtPayload.Text(), "");
  EXPECT_EQ(c().txtTaxiFuel.Text(), "");
  EXPECT_EQ(state.model, 0);
  EXPECT_EQ(c().txtGTOW.Text(), "13739") << "the start-up plan is intact";
}

TEST_F(WindowSettingsTest, StoredWeightBeyondThirtyTwoBitsReadsAsZeroAtTheFirstPass) {
  Store("Payload", "3e9");
  Start();
  EXPECT_EQ(c().txtPayload.Text(), "") << "shown as ??? on restore, then read as 0";
  EXPECT_EQ(state.plan.Payload, 0.0);
}

TEST_F(WindowSettingsTest, StoredOverflowingWindIsExplainedAtStartUp) {
  Store("Headwind", "-32768");
  Store("WindType", "1");
  Start();
  ASSERT_EQ(messages.Shown().size(), 1u);
  EXPECT_EQ(messages.Shown()[0].style, MessageBoxStyle::kExclamation);
  EXPECT_EQ(c().lblV1.Caption(), "V1/Vr: 123") << "no pass completed yet";
  c().cboWindType.SetSelectedIndex(0);
  EXPECT_EQ(messages.Shown().size(), 2u);
  c().txtHeadwind.SetText("10");
  EXPECT_EQ(c().lblV1.Caption(), "V1/Vr: 104");
}

// A store that keeps the order of the keys read and written.
class FakeKeyOrderStore final : public SettingsStore {
 public:
  std::string Read(std::string_view, std::string_view, std::string_view key,
                   std::string_view defaultValue) override {
    read.emplace_back(key);
    return std::string(defaultValue);
  }
  void Write(std::string_view, std::string_view, std::string_view key, std::string_view) override {
    written.emplace_back(key);
  }
  std::vector<std::string> read;
  std::vector<std::string> written;
};

// The unit is read before the weights so that they show in it; the keys are written in the
// order the settings have always been written, the unit and icing last.
TEST(WindowSettingsOrder, KeysAreRestoredUnitFirstAndSavedUnitAndIcingLast) {
  MainWindowControls controls;
  FillPickLists(controls);
  FakeKeyOrderStore store;
  const std::int16_t model = RestoreWindowSettings(controls, store, {});
  SaveWindowSettings(controls, store, PlanResults{}, model);
  EXPECT_THAT(store.read,
              testing::ElementsAre("Units", "Icing", "TripDistance", "CruisingAlt", "WindType",
                                   "Headwind", "Temp", "AlternateDistance", "CruisingAltAlt",
                                   "WindTypeAlt", "HeadwindAlt", "Payload", "TaxiFuel",
                                   "HoldingFuel", "MinimumFuel", "Model"));
  EXPECT_THAT(store.written,
              testing::ElementsAre("TripDistance", "CruisingAlt", "WindType", "Headwind", "Temp",
                                   "AlternateDistance", "CruisingAltAlt", "WindTypeAlt",
                                   "HeadwindAlt", "Payload", "TaxiFuel", "HoldingFuel",
                                   "MinimumFuel", "Model", "Units", "Icing"));
}

TEST(StoredValues, WholeNumbersMustFitSixteenBits) {
  EXPECT_EQ(ParseStoredWholeNumber(" 75 "), 75);
  EXPECT_EQ(ParseStoredWholeNumber("+5"), 5);
  EXPECT_EQ(ParseStoredWholeNumber("-32768"), -32768);
  // One sign at most: "+-0" is no number, though the minus alone would make one.
  for (const char* text :
       {"", "32768", "7.5", "1e2", "abc", "5x", "- 5", "+-0", "+-5", "++5", "+"}) {
    EXPECT_EQ(ParseStoredWholeNumber(text), std::nullopt) << text;
  }
}

TEST(StoredValues, WeightsReadWithEitherSeparatorAndOnlyWhenFinite) {
  EXPECT_EQ(ParseStoredWeight("453.25", ","), 453.25);
  EXPECT_EQ(ParseStoredWeight("453,25", ","), 453.25);
  EXPECT_EQ(ParseStoredWeight("453\u066B25", "\u066B"), 453.25);
  EXPECT_EQ(ParseStoredWeight("1e+20", "."), 1e20);
  EXPECT_EQ(ParseStoredWeight("-12", "."), -12.0);
  EXPECT_EQ(ParseStoredWeight("453,592292196897", "."), 453.592292196897);
  EXPECT_EQ(ParseStoredWeight(" 453,25 ", "\u066B"), 453.25);
  for (const char* text : {"", "453,2,5", "1,2.3", "inf", "nan", "1e999", "1.2.3", "12kg", "0x10",
                           "+-12", "++12", "+"}) {
    EXPECT_EQ(ParseStoredWeight(text, "."), std::nullopt) << text;
  }
}

TEST(StoredValues, WeightsAreWrittenWithFifteenDigitsAndARoundTrip) {
  EXPECT_EQ(FormatStoredWeight(0.0), "0");
  EXPECT_EQ(FormatStoredWeight(-0.0), "0");
  EXPECT_EQ(FormatStoredWeight(5000.7), "5000.7");
  EXPECT_EQ(FormatStoredWeight(-4643.6925), "-4643.6925");
  EXPECT_EQ(FormatStoredWeight(1e20), "1e+20");
  for (double kg : {1000 / 2.204623, 1e-7, 123456789012.345, 1.7e308}) {
    const double back = *ParseStoredWeight(FormatStoredWeight(kg), ".");
    EXPECT_NEAR(back, kg, std::abs(kg) * 1e-14);
  }
}

}  // namespace
}  // namespace tarnwick
