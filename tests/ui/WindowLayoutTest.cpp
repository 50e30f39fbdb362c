#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/MainWindowControls.h"
#include "ui/WindowLayout.h"

namespace tarnwick {
namespace {

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

// A front-end builds the native control of the layout's kind and binds it to the model's
// control of that name: the two must agree on what the control is.
TEST(WindowLayoutTest, KindsAgreeWithTheModelAndOnlyTheWindowsOwnControlsHaveCaptions) {
  const MainWindowControls controls;
  for (const ControlLayout& row : MainWindowLayout()) {
    SCOPED_TRACE(std::string(row.name));
    const Control* model = controls.Find<Control>(row.name);
    if (model != nullptr) {
      EXPECT_EQ(row.kind, model->Kind());
      EXPECT_TRUE(row.caption.empty()) << "the model gives this control its caption";
    } else {
      EXPECT_TRUE(row.kind == ControlKind::kFrame || row.kind == ControlKind::kLabel ||
                  row.kind == ControlKind::kPicture);
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

TEST(WindowLayoutTest, TabStopsInOrderVisitEveryStopOnceByItsIndex) {
  const std::vector<const ControlLayout*> stops = TabStopsInOrder();
  ASSERT_EQ(stops.size(), 32u);
  for (std::size_t i = 0; i < stops.size(); ++i) EXPECT_EQ(stops[i]->tabIndex, static_cast<int>(i));
  EXPECT_EQ(stops.front()->name, "cboTripDistance");
  EXPECT_EQ(stops.back()->name, "txtLeftTank");
}

// A caption that ends in a colon names one box or list of its own frame, which assistive tools
// then call by the caption's words; no control is named by two captions.
TEST(WindowLayoutTest, EachColonCaptionNamesOneBoxOrListBesideIt) {
  std::set<std::string_view> named;
  for (const ControlLayout& row : MainWindowLayout()) {
    SCOPED_TRACE(std::string(row.name));
    EXPECT_EQ(row.caption.ends_with(':'), !row.labelFor.empty());
    if (row.labelFor.empty()) continue;
    const ControlLayout* box = FindControlLayout(row.labelFor);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->kind == ControlKind::kTextBox || box->kind == ControlKind::kComboBox);
    EXPECT_EQ(box->container, row.container);
    EXPECT_TRUE(named.insert(row.labelFor).second) << "named twice: " << row.labelFor;
    EXPECT_EQ(AccessibleName(*box), row.caption.substr(0, row.caption.size() - 1));
  }
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
    if (row.kind == ControlKind::kFrame) containers[row.name] = row.place;
  }
}

// A native front-end puts every control directly on the window, at its place in the client
// area; at 144 dots per inch every length is half as long again as at 96.
TEST(WindowLayoutTest, PlacesInTheClientAreaAddTheFramesOffsetsAndScaleWithTheScreen) {
  const TwipsRect payload = PlaceInClientArea(*FindControlLayout("txtPayload"));
  EXPECT_EQ(payload, (TwipsRect{4215 + 1995, 2115 + 600, 975, 285}));
  EXPECT_EQ(PlaceInClientArea(*FindControlLayout("cmdExit")), FindControlLayout("cmdExit")->place);
  EXPECT_EQ(TwipsToPixels(payload.left), 414);
  EXPECT_EQ(TwipsToPixels(payload.left, 144), 621);
  EXPECT_EQ(TwipsToPixels(kClientWidthTwips), 510);
  EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 144), 765);
}

}  // namespace
}  // namespace tarnwick
