#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "ui/MainWindowControls.h"
#include "ui/qt/WindowLayout.h"

namespace tarnwick {
namespace {

std::vector<std::string> ItemsOf(const ControlLayout& row) {
  return {row.items.begin(), row.items.end()};
}

TEST(WindowLayoutTest, EveryControlOfTheModelHasExactlyOneRow) {
  const MainWindowControls controls;
  std::map<std::string, int> rows;
  for (const ControlLayout& row : MainWindowLayout()) ++rows[std::string(row.name)];
  for (const auto& [name, count] : rows) EXPECT_EQ(count, 1) << name;
  for (const Control* control : controls.All()) {
    if (control->Name() == kWindowName) continue;
    EXPECT_TRUE(rows.contains(control->Name())) << control->Name() << " has no place";
  }
}

// The window starts out showing the table's design state; the model starts from its own. The
// two must agree, or the first look of a control would depend on which one the widget read.
TEST(WindowLayoutTest, DesignCaptionsAndColoursAreTheModelsInitialState) {
  const MainWindowControls controls;
  for (const ControlLayout& row : MainWindowLayout()) {
    SCOPED_TRACE(std::string(row.name));
    if (const auto* box = controls.Find<TextBox>(row.name)) {
      EXPECT_EQ(row.caption, box->Text());
      const WindowsColor colour = box->TextColor();
      EXPECT_EQ(row.foreground, (Rgb{static_cast<std::uint8_t>(colour & 0xFF),
                                     static_cast<std::uint8_t>((colour >> 8) & 0xFF),
                                     static_cast<std::uint8_t>((colour >> 16) & 0xFF)}));
    } else if (const auto* list = controls.Find<ComboBox>(row.name)) {
      EXPECT_EQ(ItemsOf(row), list->Items());
    } else if (const auto* label = controls.Find<Label>(row.name)) {
      EXPECT_EQ(row.caption, label->Caption());
    } else if (const auto* check = controls.Find<CheckBox>(row.name)) {
      EXPECT_EQ(row.caption, check->Caption());
    } else if (const auto* button = controls.Find<CommandButton>(row.name)) {
      EXPECT_EQ(row.caption, button->Caption());
    }
  }
}

TEST(WindowLayoutTest, TabIndexesRunFromZeroWithoutGapsOrTwins) {
  std::set<int> indexes;
  int stops = 0;
  for (const ControlLayout& row : MainWindowLayout()) {
    if (row.tabIndex == kNoTabStop) continue;
    ++stops;
    EXPECT_TRUE(indexes.insert(row.tabIndex).second) << "tab index twice: " << row.tabIndex;
  }
  ASSERT_EQ(stops, 32);
  EXPECT_EQ(*indexes.begin(), 0);
  EXPECT_EQ(*indexes.rbegin(), stops - 1);
  EXPECT_EQ(FindControlLayout("cboTripDistance")->tabIndex, 0);
}

bool Contains(const TwipsRect& outer, const TwipsRect& inner) {
  return inner.left >= 0 && inner.top >= 0 && inner.left + inner.width <= outer.width &&
         inner.top + inner.height <= outer.height;
}

// Every control lies inside its container, which comes before it, except the six unit labels
// that the window keeps out of sight beyond the right edge of the Weights frame.
TEST(WindowLayoutTest, ControlsLieInsideTheirContainersButTheUnseenUnitLabels) {
  const std::set<std::string> unseen = {"lblUnits(0)", "lblUnits(1)", "lblUnits(2)",
                                        "lblUnits(3)", "lblUnits(4)", "lblUnits(5)"};
  std::map<std::string_view, TwipsRect> containers = {
      {kWindowName, {0, 0, kClientWidthTwips, kClientHeightTwips}}};
  for (const ControlLayout& row : MainWindowLayout()) {
    SCOPED_TRACE(std::string(row.name));
    ASSERT_TRUE(containers.contains(row.container)) << "container not yet laid out";
    const TwipsRect& container = containers.at(row.container);
    if (unseen.contains(std::string(row.name))) {
      EXPECT_EQ(row.container, "Frame2");
      EXPECT_GE(row.place.left, container.width);
    } else {
      EXPECT_TRUE(Contains(container, row.place));
    }
    if (row.kind == WidgetKind::kFrame) containers[row.name] = row.place;
  }
}

}  // namespace
}  // namespace tarnwick
