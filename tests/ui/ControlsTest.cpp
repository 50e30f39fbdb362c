#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/MainWindowControls.h"
#include "ui/WaitCursor.h"

namespace tarnwick {
namespace {

using ::testing::ElementsAre;

TEST(TextBox, ProgramWriteRaisesChangeBeforeItReturnsAndOnlyOnARealChange) {
  TextBox box("txtPayload", TextBoxRole::kInput, "0", kBlack);
  std::vector<std::string> seenInHandler;
  box.SetChangeHandler([&] { seenInHandler.push_back(box.Text()); });
  box.SetText("12");
  box.SetText("12");
  box.SetText("");
  EXPECT_THAT(seenInHandler, ElementsAre("12", ""));
}

TEST(TextBox, KeyPressHandlerDecidesWhatATypedKeyDoes) {
  TextBox box("txtPayload", TextBoxRole::kInput, "", kBlack);
  int changes = 0;
  box.SetChangeHandler([&] { ++changes; });
  box.SetKeyPressHandler([](std::int16_t& key) {
    if (key == 'x') key = 0;
    if (key == 'u') key = 'U';
  });
  EXPECT_TRUE(box.TypeKeyAtEnd('1'));
  EXPECT_FALSE(box.TypeKeyAtEnd('x'));
  EXPECT_TRUE(box.TypeKeyAtEnd('u'));
  EXPECT_EQ(box.Text(), "1U");
  EXPECT_EQ(changes, 2);
}

TEST(TextBox, BackspaceRemovesOneWholeCharacter) {
  TextBox box("txtHeadwind", TextBoxRole::kInput, "5\xC3\xA9", kBlack);  // "5é"
  EXPECT_TRUE(box.TypeKeyAtEnd(kBackspaceKey));
  EXPECT_EQ(box.Text(), "5");
  box.TypeKeyAtEnd(kBackspaceKey);
  box.TypeKeyAtEnd(kBackspaceKey);
  EXPECT_EQ(box.Text(), "");
  box.TypeKeyAtEnd(0xE9);
  EXPECT_EQ(box.Text(), "\xC3\xA9");
}

TEST(ComboBox, ClickWheneverTheSelectedIndexChanges) {
  ComboBox list("cboUnits", {"Lbs.", "Kgs."});
  std::vector<int> clicks;
  list.SetClickHandler([&] { clicks.push_back(list.SelectedIndex()); });
  list.SetSelectedIndex(1);
  list.SetSelectedIndex(1);
  list.SetSelectedIndex(-1);
  list.SetSelectedIndex(0);
  list.Clear();
  list.Clear();
  EXPECT_THAT(clicks, ElementsAre(1, -1, 0, -1));
  EXPECT_EQ(list.SelectedText(), "");
}

TEST(ComboBox, RefusesAnIndexBeyondItsItems) {
  ComboBox list("cboWindType", {"Headwind:", "Tailwind:"});
  EXPECT_THROW(list.SetSelectedIndex(2), std::out_of_range);
  EXPECT_THROW(list.SetSelectedIndex(-2), std::out_of_range);
  EXPECT_EQ(list.SelectedIndex(), -1);
  EXPECT_EQ(list.IndexOf("Tailwind:"), 1);
  EXPECT_EQ(list.IndexOf("tailwind:"), -1);
}

TEST(CheckBox, ClickOnAChangeOfValueOnly) {
  CheckBox icing("chkIcing", "Icing");
  int clicks = 0;
  icing.SetClickHandler([&] { ++clicks; });
  icing.SetValue(0);
  icing.SetValue(1);
  EXPECT_THROW(icing.SetValue(2), std::out_of_range);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(icing.Value(), 1);
}

TEST(Controls, ViewObserverSeesTheNewStateBeforeTheEventHandlerRuns) {
  TextBox box("txtPayload", TextBoxRole::kInput, "", kBlack);
  std::vector<std::string> order;
  box.SetStateObserver([&] { order.push_back("view " + box.Text()); });
  box.SetChangeHandler([&] { order.push_back("change"); });
  box.SetText("7");
  box.SetTextColor(kRed);
  EXPECT_THAT(order, ElementsAre("view 7", "change", "view 7"));
}

TEST(Window, LoadsOnceOnFirstShowAndUnloadsOnce) {
  Window window("frmMain");
  std::vector<std::string> events;
  window.SetLoadHandler([&] { events.push_back("load"); });
  window.SetUnloadHandler([&] { events.push_back("unload"); });
  window.Unload();
  window.Show();
  window.Show();
  window.Unload();
  window.Unload();
  window.Show();
  EXPECT_THAT(events, ElementsAre("load", "unload"));
  EXPECT_FALSE(window.IsVisible());
}

TEST(MainWindowControls, StartsInTheDesignStateWithUniqueNames) {
  const MainWindowControls controls;
  std::set<std::string> names;
  for (const Control* control : controls.All()) names.insert(control->Name());
  EXPECT_EQ(names.size(), controls.All().size());
  EXPECT_EQ(names.size(), 58u);
  EXPECT_EQ(controls.cboTripDistance.SelectedIndex(), -1);
  EXPECT_EQ(controls.cboUnits.SelectedIndex(), -1);
  EXPECT_EQ(controls.chkIcing.Value(), 0);
  EXPECT_EQ(controls.lblUnits[0].Name(), "lblUnits(0)");
  for (const Label& unit : controls.lblUnits) EXPECT_EQ(unit.Caption(), "lbs.");
  EXPECT_EQ(controls.txtLeftTank.Text(), "0 lbs.");
  EXPECT_EQ(controls.txtLeftTank.TextColor(), kBlue);
  EXPECT_EQ(controls.Find<TextBox>("txtPayload"), &controls.txtPayload);
  EXPECT_EQ(controls.Find<ComboBox>("txtPayload"), nullptr);
  EXPECT_EQ(controls.Find<Label>("lblUnits(18)"), &controls.lblUnits[18]);
}

// The front-ends only raise Click: that every button shows the wait cursor is decided here, for
// both windows.
TEST(MainWindowControls, EveryButtonShowsTheWaitCursorWhileItsClickRunsAndEndsIt) {
  MainWindowControls controls;
  WaitCursorRecorder cursor;
  controls.ShowWaitCursorOnClicks(cursor);
  for (Control* control : controls.All()) {
    auto* button = ControlAs<CommandButton>(*control);
    if (button == nullptr) continue;
    bool shownDuringClick = false;
    button->SetClickHandler([&] { shownDuringClick = cursor.Shown(); });
    button->Click();
    EXPECT_TRUE(shownDuringClick) << button->Name();
    EXPECT_FALSE(cursor.Shown()) << button->Name();
  }
  EXPECT_EQ(cursor.Showings(), 6);
}

}  // namespace
}  // namespace tarnwick
