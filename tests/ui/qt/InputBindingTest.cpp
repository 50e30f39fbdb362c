// The six input boxes: what a key does, what a paste does, and that each accepted edit
// recomputes the plan exactly once.
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>

#include "tests/ui/qt/PlannerWindowFixture.h"
#include "ui/qt/InputKeyFilter.h"

namespace tarnwick {
namespace {

constexpr const char* kInputBoxes[] = {"txtHeadwind", "txtHeadwindAlt", "txtPayload",
                                       "txtTaxiFuel", "txtHoldingFuel", "txtMinimumFuel"};

class InputBindingTest : public PlannerWindowFixture {
 protected:
  void SetUp() override {
    Start();
    // An alternate leg, so that the alternate wind counts too.
    Pick("cboAlternateDistance", 2);
    CountFullPasses();
  }

  // From here on every input event counts the recalculations that ran to their end.
  void CountFullPasses() {
    const auto counted = [this] { fullPasses += window->Recalculate() ? 1 : 0; };
    for (TextBox* box : c().InputBoxes()) box->SetChangeHandler(counted);
  }

  int fullPasses = 0;
};

TEST_F(InputBindingTest, DigitsAndBackspaceEditTheTextAndRecalculateOncePerKey) {
  for (const char* name : kInputBoxes) {
    SCOPED_TRACE(name);
    const QString fuelBefore = TextOf("txtTotalFuel");
    Retype(name, "120");
    EXPECT_EQ(TextOf(name), "120");
    EXPECT_EQ(fullPasses, 3);
    EXPECT_NE(TextOf("txtTotalFuel"), fuelBefore);
    QTest::keyClick(Box(name), Qt::Key_Backspace);
    EXPECT_EQ(TextOf(name), "12");
    EXPECT_EQ(fullPasses, 4);
    fullPasses = 0;
  }
}

TEST_F(InputBindingTest, OtherKeysAreDiscardedWithoutARecalculation) {
  QApplication::clipboard()->setText("777");
  for (const char* name : kInputBoxes) {
    SCOPED_TRACE(name);
    Retype(name, "5");
    fullPasses = 0;
    Type(name, "-.+ aZ,");
    QTest::keyClick(Box(name), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(Box(name), Qt::Key_Return);
    QTest::keyClick(Box(name), Qt::Key_Escape);
    EXPECT_EQ(TextOf(name), "5");
    EXPECT_EQ(fullPasses, 0);
  }
}

TEST_F(InputBindingTest, NavigationAndDeleteKeysKeepWorking) {
  QLineEdit* payload = Box("txtPayload");
  Retype("txtPayload", "1234");
  QTest::keyClick(payload, Qt::Key_Home);
  QTest::keyClick(payload, Qt::Key_Right);
  QTest::keyClick(payload, Qt::Key_Delete);
  EXPECT_EQ(payload->text(), "134");
  QTest::keyClick(payload, Qt::Key_End);
  QTest::keyClick(payload, Qt::Key_Left);
  QTest::keyClick(payload, Qt::Key_Backspace);
  EXPECT_EQ(payload->text(), "14");
  QTest::keyClick(payload, Qt::Key_9);
  EXPECT_EQ(payload->text(), "194");
  EXPECT_EQ(c().txtPayload.Text(), "194");
  EXPECT_EQ(TextOf("txtZFW"), "13694");
}

TEST_F(InputBindingTest, TypingZeroIntoAnEmptyWeightBoxLeavesItEmpty) {
  Type("txtTaxiFuel", "0");
  EXPECT_EQ(TextOf("txtTaxiFuel"), "");
  EXPECT_EQ(fullPasses, 1);
  Type("txtTaxiFuel", "07");
  EXPECT_EQ(TextOf("txtTaxiFuel"), "7");
}

void PasteThroughContextMenu(QLineEdit& edit, const QString& clipboardText) {
  QApplication::clipboard()->setText(clipboardText);
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QAction* paste = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text().remove('&').startsWith("Paste")) paste = action;
  }
  ASSERT_NE(paste, nullptr);
  ASSERT_TRUE(paste->isEnabled());
  paste->trigger();
}

TEST_F(InputBindingTest, PasteThroughTheContextMenuIsNotFilteredAndRecalculates) {
  Retype("txtPayload", "1");
  fullPasses = 0;
  Box("txtPayload")->selectAll();
  PasteThroughContextMenu(*Box("txtPayload"), "-250");
  EXPECT_EQ(TextOf("txtPayload"), "-250");
  EXPECT_EQ(TextOf("txtZFW"), "13250");
  EXPECT_EQ(fullPasses, 1);

  Box("txtPayload")->selectAll();
  PasteThroughContextMenu(*Box("txtPayload"), "abc");
  EXPECT_EQ(TextOf("txtPayload"), "") << "no number reads as 0, and 0 shows empty";
  EXPECT_EQ(TextOf("txtZFW"), "13500");
}

// The menu a right click opens lists no shortcut that the key filter would swallow.
TEST_F(InputBindingTest, ContextMenuListsNoBlockedShortcuts) {
  QStringList entries;
  QTimer::singleShot(50, [&entries] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (const QAction* action : menu->actions()) entries << action->text();
    menu->close();
  });
  emit Box("txtPayload")->customContextMenuRequested(QPoint(5, 5));
  ASSERT_FALSE(entries.isEmpty()) << "no context menu opened";
  EXPECT_TRUE(entries.join(' ').remove('&').contains("Paste"));
  for (const QString& entry : entries) EXPECT_FALSE(entry.contains('\t')) << entry.toStdString();
}

QKeyEvent Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}) {
  return {QEvent::KeyPress, key, modifiers, text};
}

TEST(ClassifyKeyTest, CharactersCarryTheirCodesAndEditingKeysPass) {
  using Route = TypedKey::Route;
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_7, Qt::NoModifier, "7")).code, 55);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Minus, Qt::NoModifier, "-")).code, 45);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Backspace, Qt::NoModifier, "\b")).code, 8);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_V, Qt::ControlModifier)).code, 22);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_C, Qt::ControlModifier, "\x03")).code, 3);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Return, Qt::NoModifier, "\r")).code, 13);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Enter, Qt::KeypadModifier, "\r")).code, 13);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x20AC)))).code,
            static_cast<std::int16_t>(0x20AC));
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Delete, Qt::NoModifier, "\x7f")).route,
            Route::kEditOrNavigate);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Left)).route, Route::kEditOrNavigate);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Tab, Qt::NoModifier, "\t")).route, Route::kEditOrNavigate);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_F5)).route, Route::kEditOrNavigate);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_Insert, Qt::ShiftModifier)).route, Route::kEditOrNavigate);
  EXPECT_EQ(ClassifyKey(Press(Qt::Key_B, Qt::AltModifier, "b")).route, Route::kSwallow);
}

}  // namespace
}  // namespace tarnwick
