#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QString>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "ui/IniFileSettingsStore.h"
#include "ui/MainWindow.h"
#include "ui/qt/PlannerWindow.h"
#include "ui/qt/QtMessageBoxPresenter.h"
#include "ui/qt/QtWaitCursor.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace tarnwick {

// What a test saw of a message box before it pressed OK.
struct SeenMessageBox {
  bool seen = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttonCount = 0;
  bool modal = false;
};

// The planner composed as the window program composes it, on the user's settings store (which
// the test main keeps in a folder of its own), with its window shown.
class PlannerWindowFixture : public ::testing::Test {
 protected:
  // Every test starts as a first start does, whatever the tests before it stored.
  PlannerWindowFixture() { std::filesystem::remove(UserSettingsPath("Tarnwick")); }

  void TearDown() override { Stop(); }

  void Start() {
    state = std::make_unique<ProgramState>();
    store = std::make_unique<IniFileSettingsStore>("Tarnwick", UserSettingsPath("Tarnwick"));
    messages = std::make_unique<QtMessageBoxPresenter>();
    window = std::make_unique<MainWindow>(
        *state, MainWindowServices{*messages, *store, NumberFormat{}, {}});
    window->Controls().ShowWaitCursorOnClicks(waitCursor);
    shown = std::make_unique<PlannerWindow>(window->Controls());
    messages->SetParentWindow(shown.get());
    window->Controls().frmMain.Show();
  }
  // Ends the run as the program ends: the window gone, the store written out.
  void Stop() {
    shown.reset();
    window.reset();
    if (store) store->Save();
    store.reset();
  }
  // Closes the window by its close box and starts the program again.
  void Restart() {
    shown->close();
    Stop();
    Start();
  }

  static std::filesystem::path SettingsFile() {
    return std::filesystem::path(qgetenv("XDG_CONFIG_HOME").toStdString()) / "Tarnwick" /
           "Tarnwick.conf";
  }

  template <typename Widget>
  Widget* W(const char* name) const {
    auto* widget = shown->findChild<Widget*>(QString::fromLatin1(name));
    if (widget == nullptr) ADD_FAILURE() << "no widget " << name << " of the kind asked for";
    return widget;
  }
  QLineEdit* Box(const char* name) const { return W<QLineEdit>(name); }
  QString TextOf(const char* name) const { return Box(name)->text(); }
  QColor TextColourOf(const char* name) const { return Box(name)->palette().color(QPalette::Text); }

  // Types keys into a box with the caret where it stands.
  void Type(const char* name, const QString& keys) { QTest::keyClicks(Box(name), keys); }
  // Replaces a box's text the way a pilot does: select all of it, then type.
  void Retype(const char* name, const QString& keys) {
    Box(name)->selectAll();
    Type(name, keys);
  }

  // Watches for the next modal message box, records what it shows and presses its OK button.
  static std::shared_ptr<SeenMessageBox> CloseNextMessageBox() {
    auto seen = std::make_shared<SeenMessageBox>();
    PollForMessageBox(seen, kMessageBoxPolls);
    return seen;
  }

  // Picks an item of a list as the pilot's pick in its drop-down does.
  void Pick(const char* name, int index) { W<QComboBox>(name)->setCurrentIndex(index); }

  // Makes the window the active one, as keyboard shortcuts need.
  void Activate() {
    shown->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.get()));
  }

  MainWindowControls& c() { return window->Controls(); }

  QtWaitCursor waitCursor;  // outlives the controls
  std::unique_ptr<ProgramState> state;
  std::unique_ptr<IniFileSettingsStore> store;
  std::unique_ptr<QtMessageBoxPresenter> messages;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<PlannerWindow> shown;

 private:
  static constexpr int kMessageBoxPolls = 300;

  static void PollForMessageBox(const std::shared_ptr<SeenMessageBox>& seen, int pollsLeft) {
    QTimer::singleShot(10, [seen, pollsLeft] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) {
        if (pollsLeft > 0) PollForMessageBox(seen, pollsLeft - 1);
        return;
      }
      *seen = {true,
               box->windowTitle(),
               box->text(),
               box->icon(),
               static_cast<int>(box->buttons().size()),
               box->isModal()};
      box->button(QMessageBox::Ok)->click();
    });
  }
};

}  // namespace tarnwick
