// The window as the pilot uses it: first start, unit switch, red figures, speeds, keyboard
// accelerators, close and restart, the message boxes, and the screenshots.
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

#include "tests/ui/qt/PlannerWindowFixture.h"

namespace tarnwick {
namespace {

constexpr const char* kUnitShowingBoxes[] = {"txtBOW",         "txtZFW",           "txtTaxiWeight",
                                             "txtGTOW",        "txtPLW",           "txtPLWAlt",
                                             "txtEnrouteFuel", "txtAlternateFuel", "txtTotalFuel"};

class WindowBehaviourTest : public PlannerWindowFixture {
 protected:
  QString LabelText(const std::string& name) const { return W<QLabel>(name.c_str())->text(); }
  QString ListText(const char* name) const { return W<QComboBox>(name)->currentText(); }
  void ExpectEveryUnitLabel(const QString& caption) const {
    for (int index = 0; index < MainWindowControls::kUnitLabelCount; ++index) {
      EXPECT_EQ(LabelText("lblUnits(" + std::to_string(index) + ")"), caption) << index;
    }
  }
  // A heavy, long trip: every weight limit and the fuel capacity exceeded.
  void PlanBeyondTheLimits() {
    Pick("cboTripDistance", 22);
    Pick("cboAlternateDistance", 4);
    Retype("txtPayload", "9000");
    Retype("txtTaxiFuel", "100");
    Retype("txtHoldingFuel", "300");
    Retype("txtMinimumFuel", "600");
  }
};

TEST_F(WindowBehaviourTest, FirstStartWithAnEmptyStoreShowsTheDefaults) {
  ASSERT_TRUE(QSettings("Tarnwick", "Tarnwick").allKeys().isEmpty());
  Start();
  EXPECT_EQ(ListText("cboUnits"), "Kgs.");
  ExpectEveryUnitLabel("Kgs.");
  EXPECT_EQ(ListText("cboTripDistance"), "50");
  EXPECT_EQ(ListText("cboCruisingAlt"), "FL100");
  EXPECT_EQ(ListText("cboCruisingAltAlt"), "FL100");
  EXPECT_EQ(ListText("cboWindType"), "Headwind:");
  EXPECT_EQ(ListText("cboWindTypeAlt"), "Headwind:");
  EXPECT_EQ(ListText("cboTemp"), "15");
  EXPECT_EQ(ListText("cboAlternateDistance"), "0");
  EXPECT_EQ(W<QComboBox>("cboTemp")->count(), 121);
  EXPECT_EQ(TextOf("txtHeadwind"), "0");
  EXPECT_EQ(TextOf("txtHeadwindAlt"), "0");
  EXPECT_FALSE(W<QCheckBox>("chkIcing")->isChecked());
  for (const char* name : {"txtPayload", "txtTaxiFuel", "txtHoldingFuel", "txtMinimumFuel"}) {
    EXPECT_EQ(TextOf(name), "") << name;
  }
  EXPECT_EQ(TextOf("txtBOW"), "13500");
  EXPECT_TRUE(TextOf("txtRightTank").endsWith(" Kgs."));
  EXPECT_EQ(TextOf("txtLeftTank"), TextOf("txtRightTank"));
  EXPECT_EQ(LabelText("lblVmLB15"), "VmLB15: n/a");
  EXPECT_EQ(shown->focusWidget(), W<QComboBox>("cboTripDistance"));
}

TEST_F(WindowBehaviourTest, UnitSwitchRewritesEveryUnitLabelAndEveryFigure) {
  Start();
  Pick("cboAlternateDistance", 2);
  Retype("txtPayload", "1000");
  QStringList inKilograms;
  for (const char* name : kUnitShowingBoxes) inKilograms << TextOf(name);

  QComboBox* units = W<QComboBox>("cboUnits");
  units->setFocus();
  QTest::keyClick(units, Qt::Key_Up);  // a pick by keyboard
  EXPECT_EQ(units->currentText(), "Lbs.");
  ExpectEveryUnitLabel("Lbs.");
  EXPECT_EQ(TextOf("txtPayload"), "1000") << "the digits stay and now mean pounds";
  EXPECT_EQ(TextOf("txtBOW"), "29762");
  EXPECT_EQ(TextOf("txtZFW"), "30762");
  EXPECT_TRUE(TextOf("txtRightTank").endsWith(" Lbs."));
  for (std::size_t i = 0; i < std::size(kUnitShowingBoxes); ++i) {
    EXPECT_NE(TextOf(kUnitShowingBoxes[i]), inKilograms[static_cast<int>(i)])
        << kUnitShowingBoxes[i];
  }

  QTest::keyClick(units, Qt::Key_Down);
  ExpectEveryUnitLabel("Kgs.");
  EXPECT_EQ(TextOf("txtBOW"), "13500");
  EXPECT_EQ(TextOf("txtZFW"), "14500");
  EXPECT_TRUE(TextOf("txtLeftTank").endsWith(" Kgs."));
}

TEST_F(WindowBehaviourTest, FiguresBeyondTheirLimitsTurnRedAndBack) {
  Start();
  for (const char* name : {"txtZFW", "txtPLW", "txtGTOW", "txtTaxiWeight", "txtTotalFuel"}) {
    EXPECT_EQ(TextColourOf(name), QColor(Qt::black)) << name;
  }
  PlanBeyondTheLimits();
  for (const char* name : {"txtZFW", "txtPLW", "txtGTOW", "txtTaxiWeight", "txtTotalFuel",
                           "txtLeftTank", "txtRightTank"}) {
    EXPECT_EQ(TextColourOf(name), QColor(Qt::red)) << name;
  }
  EXPECT_EQ(TextColourOf("txtPLWAlt"), QColor(Qt::black)) << "checked against no limit";

  Pick("cboTripDistance", 0);
  Retype("txtPayload", "1000");
  EXPECT_EQ(TextColourOf("txtZFW"), QColor(Qt::black));
  EXPECT_EQ(TextColourOf("txtTotalFuel"), QColor(Qt::black));
  EXPECT_EQ(TextColourOf("txtLeftTank"), QColor(0, 0, 255));
}

TEST_F(WindowBehaviourTest, SpeedCaptionsFollowTakeoffWeightAndIcing) {
  Start();
  EXPECT_EQ(LabelText("lblV1"), "V1/Vr: 104");
  EXPECT_EQ(LabelText("lblVmLB15"), "VmLB15: n/a");
  QTest::mouseClick(W<QCheckBox>("chkIcing"), Qt::LeftButton);
  EXPECT_EQ(c().chkIcing.Value(), 1);
  EXPECT_EQ(LabelText("lblVfto"), "Vfto: 110");
  EXPECT_EQ(LabelText("lblVmLB0"), "VmLB0: 136");
  EXPECT_EQ(LabelText("lblVmLB15"), "VmLB15: 107");
  EXPECT_EQ(LabelText("lblVmHB30"), "VmHB30: 97");

  Retype("txtPayload", "9000");  // takeoff weight above 22500 kg: the top row
  EXPECT_EQ(LabelText("lblV1"), "V1/Vr: 121");
  EXPECT_EQ(LabelText("lblV2"), "V2: 125");
  EXPECT_EQ(LabelText("lblVmLB15"), "VmLB15: 133");
  QTest::mouseClick(W<QCheckBox>("chkIcing"), Qt::LeftButton);
  EXPECT_EQ(LabelText("lblV1"), "V1/Vr: 112");
  EXPECT_EQ(LabelText("lblVmLB15"), "VmLB15: n/a");
}

TEST_F(WindowBehaviourTest, AltBClicksBoardFuelAndAltXExits) {
  Start();
  Activate();
  int boardFuelClicks = 0;
  c().cmdBoardFuel.SetClickHandler([&boardFuelClicks] { ++boardFuelClicks; });
  QTest::keyClick(shown.get(), Qt::Key_B, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return boardFuelClicks == 1; }, 2000));

  Retype("txtPayload", "4321");
  QTest::keyClick(shown.get(), Qt::Key_X, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return c().frmMain.IsUnloaded(); }, 2000));
  EXPECT_FALSE(shown->isVisible());
  store->Save();
  QSettings saved(QString::fromStdString(SettingsFile().string()), QSettings::IniFormat);
  EXPECT_EQ(saved.value("Settings/Payload").toString(), "4321");
  EXPECT_EQ(saved.childGroups(), QStringList{"Settings"});
  saved.beginGroup("Settings");
  EXPECT_EQ(saved.childKeys().size(), 16);
}

TEST_F(WindowBehaviourTest, CloseBoxSavesAndARestartRestoresEverything) {
  Start();
  Pick("cboUnits", 0);
  Pick("cboTripDistance", 5);
  Pick("cboCruisingAlt", 3);
  Pick("cboWindType", 1);
  Retype("txtHeadwind", "25");
  Pick("cboTemp", 40);
  Pick("cboAlternateDistance", 2);
  Pick("cboCruisingAltAlt", 1);
  Pick("cboWindTypeAlt", 1);
  Box("txtHeadwindAlt")->selectAll();
  QTest::keyClick(Box("txtHeadwindAlt"), Qt::Key_Backspace);
  Retype("txtPayload", "1000");
  Retype("txtTaxiFuel", "220");
  Retype("txtHoldingFuel", "660");
  Retype("txtMinimumFuel", "1320");
  QTest::mouseClick(W<QCheckBox>("chkIcing"), Qt::LeftButton);
  QStringList before;
  for (QLineEdit* box : shown->findChildren<QLineEdit*>()) before << box->text();
  for (QLabel* label : shown->findChildren<QLabel*>()) before << label->text();

  Restart();

  EXPECT_EQ(store->Read("Tarnwick", "Settings", "Payload", ""), "453.592292196897");
  EXPECT_EQ(ListText("cboUnits"), "Lbs.");
  EXPECT_EQ(ListText("cboTripDistance"), "300");
  EXPECT_EQ(ListText("cboCruisingAlt"), "FL130");
  EXPECT_EQ(ListText("cboWindType"), "Tailwind:");
  EXPECT_EQ(ListText("cboTemp"), "-20");
  EXPECT_EQ(ListText("cboAlternateDistance"), "100");
  EXPECT_EQ(ListText("cboCruisingAltAlt"), "FL110");
  EXPECT_EQ(ListText("cboWindTypeAlt"), "Tailwind:");
  EXPECT_TRUE(W<QCheckBox>("chkIcing")->isChecked());
  EXPECT_EQ(TextOf("txtHeadwindAlt"), "");
  QStringList after;
  for (QLineEdit* box : shown->findChildren<QLineEdit*>()) after << box->text();
  for (QLabel* label : shown->findChildren<QLabel*>()) after << label->text();
  EXPECT_EQ(after, before);
}

TEST_F(WindowBehaviourTest, OperatingLimitationsAndAboutShowModalInformationBoxes) {
  Start();
  const auto limits = CloseNextMessageBox();
  QTest::mouseClick(W<QPushButton>("cmdOperatingLimits"), Qt::LeftButton);
  ASSERT_TRUE(limits->seen);
  EXPECT_EQ(limits->title, "ATR 72-500 Operating Limitations");
  EXPECT_TRUE(
      limits->text.startsWith("ATR 72-500 Operating Limitations:\n\nBasic Operating "
                              "Weight: 13,500 Kgs.\n"));
  EXPECT_TRUE(limits->text.endsWith("Fuel Capacity: 5,082 Kgs.\n"));
  EXPECT_FALSE(limits->text.contains('\r'));
  EXPECT_EQ(limits->icon, QMessageBox::Information);
  EXPECT_EQ(limits->buttonCount, 1);
  EXPECT_TRUE(limits->modal);

  const auto about = CloseNextMessageBox();
  QTest::mouseClick(W<QPushButton>("cmdAbout"), Qt::LeftButton);
  ASSERT_TRUE(about->seen);
  EXPECT_EQ(about->title, "About");
  EXPECT_TRUE(about->text.startsWith("Tarnwick\n\nVersion 1.1.1\n\nBy "));
  EXPECT_TRUE(about->text.endsWith("/Tarnwick/"));
  EXPECT_EQ(about->icon, QMessageBox::Information);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(WindowBehaviourTest, AnOverflowingPastedTailwindShowsTheWarningBox) {
  Start();
  Pick("cboWindType", 1);
  QApplication::clipboard()->setText("-32768");
  const auto warning = CloseNextMessageBox();
  Box("txtHeadwind")->selectAll();
  Box("txtHeadwind")->paste();
  ASSERT_TRUE(warning->seen);
  EXPECT_EQ(warning->title, "Error");
  EXPECT_EQ(warning->text, "Invalid value entered, please enter a lower value.");
  EXPECT_EQ(warning->icon, QMessageBox::Warning);
}

TEST_F(WindowBehaviourTest, PresenterShowsEachStyleWithItsIconAndLineBreaks) {
  Start();
  const std::pair<MessageBoxStyle, QMessageBox::Icon> styles[] = {
      {MessageBoxStyle::kNoIcon, QMessageBox::NoIcon},
      {MessageBoxStyle::kError, QMessageBox::Critical},
      {MessageBoxStyle::kExclamation, QMessageBox::Warning},
      {MessageBoxStyle::kInformation, QMessageBox::Information}};
  for (const auto& [style, icon] : styles) {
    const auto seen = CloseNextMessageBox();
    messages->Show("first\r\nsecond <b>", "Title", style);
    ASSERT_TRUE(seen->seen);
    EXPECT_EQ(seen->icon, icon);
    EXPECT_EQ(seen->text, "first\nsecond <b>");
    EXPECT_EQ(seen->title, "Title");
    EXPECT_EQ(seen->buttonCount, 1);
  }
}

TEST_F(WindowBehaviourTest, WritesScreenshotsAfterStartUpAndOfARedPlan) {
  Start();
  const QDir folder(TARNWICK_SCREENSHOT_DIR);
  ASSERT_TRUE(folder.mkpath("."));
  ASSERT_TRUE(shown->grab().save(folder.filePath("startup.png")));
  PlanBeyondTheLimits();
  ASSERT_TRUE(shown->grab().save(folder.filePath("red-plan.png")));
  EXPECT_EQ(QImage(folder.filePath("red-plan.png")).size(),
            shown->size() * shown->devicePixelRatio());
}

}  // namespace
}  // namespace tarnwick
