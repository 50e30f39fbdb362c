#pragma once

// The planner window's behaviours, written once for every front-end: a front-end's tests
// include this header and instantiate the suite with their driver (a WindowDriver that is
// default-constructible and starts on a store of its own):
//   INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowBehaviours, Win32BehaviourDriver);
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tests/shared/WindowDriver.h"
#include "ui/MainWindowControls.h"
#include "ui/WindowLayout.h"

namespace tarnwick {

template <typename Driver>
class WindowBehaviours : public ::testing::Test {
 protected:
  void SetUp() override { driver.Start(); }

  void ExpectEveryUnitLabel(const std::string& caption) {
    for (int member = 0; member < MainWindowControls::kUnitLabelCount; ++member) {
      EXPECT_EQ(driver.ShownText("lblUnits(" + std::to_string(member) + ")"), caption) << member;
    }
  }

  Driver driver;
};

TYPED_TEST_SUITE_P(WindowBehaviours);

// The start values of the plan, entered through the widgets, in kilograms and in pounds.
TYPED_TEST_P(WindowBehaviours, ExampleAInBothUnits) {
  WindowDriver& d = this->driver;
  d.Pick("cboTripDistance", 2);
  d.Pick("cboTripDistance", 0);
  d.TypeKeys("txtPayload", "7\b");
  EXPECT_EQ(d.ShownText("cboTripDistance"), "50");
  EXPECT_EQ(d.ShownText("cboCruisingAlt"), "FL100");
  EXPECT_EQ(d.ShownText("cboTemp"), "15");
  EXPECT_EQ(d.ShownText("txtBOW"), "13500");
  EXPECT_EQ(d.ShownText("txtZFW"), "13500");
  EXPECT_EQ(d.ShownText("txtPLW"), "13500");
  EXPECT_EQ(d.ShownText("txtPLWAlt"), "13500");
  EXPECT_EQ(d.ShownText("txtGTOW"), "13739");
  EXPECT_EQ(d.ShownText("txtTaxiWeight"), "13739");
  EXPECT_EQ(d.ShownText("txtEnrouteFuel"), "239");
  EXPECT_EQ(d.ShownText("txtAlternateFuel"), "0");
  EXPECT_EQ(d.ShownText("txtTotalFuel"), "239");
  EXPECT_EQ(d.ShownText("txtPayload"), "");
  EXPECT_EQ(d.ShownText("txtLeftTank"), "120 Kgs.");
  EXPECT_EQ(d.ShownText("txtRightTank"), "120 Kgs.");
  EXPECT_EQ(d.TextColour("txtGTOW"), kBlack);
  this->ExpectEveryUnitLabel("Kgs.");

  d.Pick("cboUnits", 0);
  EXPECT_EQ(d.ShownText("txtGTOW"), "30290");
  EXPECT_EQ(d.ShownText("txtEnrouteFuel"), "527");
  EXPECT_EQ(d.ShownText("txtLeftTank"), "264 Lbs.");
  this->ExpectEveryUnitLabel("Lbs.");
  d.Pick("cboUnits", 1);
  this->ExpectEveryUnitLabel("Kgs.");
  EXPECT_EQ(d.ShownText("txtGTOW"), "13739");
}

TYPED_TEST_P(WindowBehaviours, KeyFilterTakesDigitsAndBackspaceAndKeepsNavigation) {
  WindowDriver& d = this->driver;
  const std::string fuelWithoutWind = d.ShownText("txtEnrouteFuel");
  d.TypeKeys("txtHeadwind", "1a-.+ 2");
  EXPECT_EQ(d.ShownText("txtHeadwind"), "012");
  EXPECT_NE(d.ShownText("txtEnrouteFuel"), fuelWithoutWind);
  d.TypeKeys("txtHeadwind", "\b");
  EXPECT_EQ(d.ShownText("txtHeadwind"), "01");
  d.PressKey(DriverKey::kHome);
  d.PressKey(DriverKey::kDelete);
  EXPECT_EQ(d.ShownText("txtHeadwind"), "1");
  d.PressKey(DriverKey::kEnd);
  d.PressKey(DriverKey::kShiftLeft);
  d.PressKey(DriverKey::kDelete);
  EXPECT_EQ(d.ShownText("txtHeadwind"), "");
  d.TypeKeys("txtTaxiFuel", "x12");
  EXPECT_EQ(d.ShownText("txtTaxiFuel"), "12");
}

TYPED_TEST_P(WindowBehaviours, APasteRecalculates) {
  WindowDriver& d = this->driver;
  d.Paste("txtPayload", "5000.7");
  EXPECT_EQ(d.ShownText("txtPayload"), "5001");
  EXPECT_EQ(d.ShownText("txtZFW"), "18501");
}

TYPED_TEST_P(WindowBehaviours, TabAndShiftTabFollowAll32Stops) {
  WindowDriver& d = this->driver;
  constexpr int kStops = 32;
  std::string byTabIndex[kStops];
  for (const ControlLayout& layout : MainWindowLayout()) {
    if (layout.tabIndex != kNoTabStop) byTabIndex[layout.tabIndex] = std::string(layout.name);
  }
  ASSERT_EQ(d.FocusedName(), "cboTripDistance");
  for (int stop = 1; stop <= kStops; ++stop) {
    d.PressKey(DriverKey::kTab);
    EXPECT_EQ(d.FocusedName(), byTabIndex[stop % kStops]) << "Tab number " << stop;
  }
  d.PressKey(DriverKey::kShiftTab);
  EXPECT_EQ(d.FocusedName(), byTabIndex[kStops - 1]);
}

TYPED_TEST_P(WindowBehaviours, ExceededLimitsTurnRedAndBackToBlack) {
  WindowDriver& d = this->driver;
  d.TypeKeys("txtPayload", "9999");
  EXPECT_EQ(d.ShownText("txtZFW"), "23499");
  EXPECT_EQ(d.TextColour("txtZFW"), kRed);
  d.TypeKeys("txtPayload", "\b\b\b\b");
  EXPECT_EQ(d.TextColour("txtZFW"), kBlack);
  EXPECT_EQ(d.TextColour("txtLeftTank"), kBlue);
}

// What a screen reader calls each control the pilot reads or edits: a box or list after its
// caption, a control without one after what it holds, the rest by their text; no two alike. A
// figure in red is also said to be over its limit, and nothing is said once it is back.
TYPED_TEST_P(WindowBehaviours, AssistiveToolsNameEveryControlAndTellALimitInWords) {
  WindowDriver& d = this->driver;
  const std::map<std::string, std::string> expected = {
      {"cboTripDistance", "Trip Distance"},
      {"cboCruisingAlt", "Cruising Altitude"},
      {"cboWindType", "Trip Wind"},
      {"txtHeadwind", "Trip Wind speed"},
      {"cboTemp", "Trip Temperature"},
      {"cboAlternateDistance", "Alternate Distance"},
      {"cboCruisingAltAlt", "Alternate Cruising Altitude"},
      {"cboWindTypeAlt", "Alternate Wind"},
      {"txtHeadwindAlt", "Alternate Wind speed"},
      {"txtBOW", "Basic Operating Weight"},
      {"txtPayload", "Payload Weight"},
      {"txtZFW", "Zero Fuel Weight"},
      {"txtTaxiWeight", "Ramp Weight"},
      {"txtGTOW", "Gross Takeoff Weight"},
      {"txtPLW", "Landing Weight"},
      {"txtPLWAlt", "Alternate Landing Weight"},
      {"txtTaxiFuel", "Taxi Fuel"},
      {"txtEnrouteFuel", "Trip Fuel"},
      {"txtHoldingFuel", "Holding Fuel"},
      {"txtAlternateFuel", "Alternate Fuel"},
      {"txtMinimumFuel", "Reserve Fuel"},
      {"txtTotalFuel", "Total Fuel at Taxi"},
      {"txtLeftTank", "Left tank fuel"},
      {"txtRightTank", "Right tank fuel"},
      {"frmAircraft", "V-Speeds"},
      {"chkIcing", "Icing"},
      {"cboUnits", "Units"},
      {"cmdOperatingLimits", "Operating Limitations"},
      {"cmdReadPayload", "Read Payload Weight"},
      {"cmdBoardFuel", "Board Fuel"},
      {"cmdPrint", "Print"},
      {"cmdAbout", "About"},
      {"cmdExit", "Exit"}};
  std::set<std::string> names;
  for (const auto& [control, name] : expected) {
    EXPECT_EQ(d.AccessibleName(control), name) << control;
    names.insert(d.AccessibleName(control));
  }
  for (const char* speed : {"lblV1", "lblV2", "lblVfto", "lblVmLB0", "lblVmLB15", "lblVmHB30"}) {
    EXPECT_EQ(d.AccessibleName(speed), d.ShownText(speed)) << speed;
    names.insert(d.AccessibleName(speed));
  }
  EXPECT_EQ(names.size(), expected.size() + 6) << "two controls share a name";
  for (const ControlLayout& layout : MainWindowLayout()) {
    if (layout.tabIndex == kNoTabStop) continue;
    EXPECT_TRUE(expected.contains(std::string(layout.name))) << layout.name << " has no name";
  }

  const auto expectDescriptionsFollowTheColour = [&d] {
    for (const ControlLayout& layout : MainWindowLayout()) {
      if (layout.kind != ControlKind::kTextBox) continue;
      const std::string name(layout.name);
      EXPECT_EQ(d.AccessibleDescription(name), d.TextColour(name) == kRed ? "over the limit" : "")
          << name;
    }
  };
  d.TypeKeys("txtPayload", "9999");
  ASSERT_EQ(d.TextColour("txtZFW"), kRed);
  expectDescriptionsFollowTheColour();
  d.TypeKeys("txtPayload", "\b\b\b\b");
  ASSERT_EQ(d.TextColour("txtZFW"), kBlack);
  expectDescriptionsFollowTheColour();
}

TYPED_TEST_P(WindowBehaviours, IcingSwitchesTheSpeedCaptionsAndBack) {
  WindowDriver& d = this->driver;
  const std::string dry = d.ShownText("lblVmHB30");
  d.Click("chkIcing");
  EXPECT_TRUE(d.IsChecked("chkIcing"));
  EXPECT_NE(d.ShownText("lblVmHB30"), dry);
  d.Click("chkIcing");
  EXPECT_EQ(d.ShownText("lblVmHB30"), dry);
}

TYPED_TEST_P(WindowBehaviours, TheInformationMessagesAreShownAndClosed) {
  WindowDriver& d = this->driver;
  const MessageBoxContent limits = d.ClickAndCloseMessageBox("cmdOperatingLimits");
  EXPECT_TRUE(limits.title.ends_with("Operating Limitations")) << limits.title;
  EXPECT_NE(limits.text.find("Basic Operating Weight: 13,500 Kgs."), std::string::npos)
      << limits.text;
  EXPECT_EQ(limits.style, MessageBoxStyle::kInformation);
  const MessageBoxContent about = d.ClickAndCloseMessageBox("cmdAbout");
  EXPECT_EQ(about.title, "About");
  EXPECT_TRUE(about.text.starts_with("Tarnwick")) << about.text;
  EXPECT_EQ(about.style, MessageBoxStyle::kInformation);
}

TYPED_TEST_P(WindowBehaviours, AltXUnloadsAndARestartRestoresEverything) {
  WindowDriver& d = this->driver;
  d.Pick("cboTripDistance", 3);
  d.Pick("cboWindType", 1);
  d.TypeKeys("txtHeadwind", "25");
  d.TypeKeys("txtPayload", "1234");
  d.Click("chkIcing");
  d.Pick("cboUnits", 0);
  const std::string distance = d.ShownText("cboTripDistance");
  const std::string gtow = d.ShownText("txtGTOW");
  d.PressAltKey('x');
  EXPECT_FALSE(d.IsOpen());

  d.Start();
  EXPECT_EQ(d.ShownText("cboTripDistance"), distance);
  EXPECT_EQ(d.ShownText("cboWindType"), "Tailwind:");
  EXPECT_EQ(d.ShownText("txtHeadwind"), "025");
  EXPECT_EQ(d.ShownText("cboUnits"), "Lbs.");
  EXPECT_EQ(d.ShownText("txtPayload"), "1234");
  EXPECT_EQ(d.ShownText("txtGTOW"), gtow);
  EXPECT_TRUE(d.IsChecked("chkIcing"));
  d.Close();
  EXPECT_FALSE(d.IsOpen());
}

REGISTER_TYPED_TEST_SUITE_P(WindowBehaviours, ExampleAInBothUnits,
                            KeyFilterTakesDigitsAndBackspaceAndKeepsNavigation, APasteRecalculates,
                            TabAndShiftTabFollowAll32Stops, ExceededLimitsTurnRedAndBackToBlack,
                            AssistiveToolsNameEveryControlAndTellALimitInWords,
                            IcingSwitchesTheSpeedCaptionsAndBack,
                            TheInformationMessagesAreShownAndClosed,
                            AltXUnloadsAndARestartRestoresEverything);

}  // namespace tarnwick
