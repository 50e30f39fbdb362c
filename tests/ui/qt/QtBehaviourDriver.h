#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "tests/shared/WindowDriver.h"
#include "ui/IniFileSettingsStore.h"
#include "ui/MainWindow.h"
#include "ui/qt/PlannerWindow.h"
#include "ui/qt/QtMessageBoxPresenter.h"
#include "ui/qt/WidgetLook.h"

namespace tarnwick {

// The shared window behaviours' driver for the Qt window: the planner as the window program
// composes it, on the user's settings store (the test main keeps it in a folder of its own,
// emptied when the driver is made), driven through its widgets found by their control names.
class QtBehaviourDriver final : public WindowDriver {
 public:
  QtBehaviourDriver() { std::filesystem::remove(UserSettingsPath("Tarnwick")); }
  ~QtBehaviourDriver() override { Stop(); }

  void Start() override {
    Stop();
    store_ = std::make_unique<IniFileSettingsStore>("Tarnwick", UserSettingsPath("Tarnwick"));
    state_ = std::make_unique<ProgramState>();
    model_ = std::make_unique<MainWindow>(
        *state_, MainWindowServices{messages_, *store_, NumberFormat{}, {}});
    shown_ = std::make_unique<PlannerWindow>(model_->Controls());
    messages_.SetParentWindow(shown_.get());
    model_->Controls().frmMain.Show();
    shown_->activateWindow();
    if (!QTest::qWaitForWindowActive(shown_.get()))
      throw std::runtime_error("the window did not become active");
  }
  void Close() override { shown_->close(); }
  bool IsOpen() const override { return !model_->Controls().frmMain.IsUnloaded(); }

  void TypeKeys(std::string_view name, std::string_view text) override {
    QLineEdit* box = Widget<QLineEdit>(name);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    for (const char character : text) {
      if (character == '\b') {
        QTest::keyClick(box, Qt::Key_Backspace);
      } else {
        QTest::keyClicks(box, QString(QChar(character)));
      }
    }
  }
  void PressKey(DriverKey key) override {
    QWidget* focus = QApplication::focusWidget();
    switch (key) {
      case DriverKey::kTab:
        return QTest::keyClick(focus, Qt::Key_Tab);
      case DriverKey::kShiftTab:
        return QTest::keyClick(focus, Qt::Key_Backtab, Qt::ShiftModifier);
      case DriverKey::kHome:
        return QTest::keyClick(focus, Qt::Key_Home);
      case DriverKey::kEnd:
        return QTest::keyClick(focus, Qt::Key_End);
      case DriverKey::kLeft:
        return QTest::keyClick(focus, Qt::Key_Left);
      case DriverKey::kShiftLeft:
        return QTest::keyClick(focus, Qt::Key_Left, Qt::ShiftModifier);
      case DriverKey::kRight:
        return QTest::keyClick(focus, Qt::Key_Right);
      case DriverKey::kDelete:
        return QTest::keyClick(focus, Qt::Key_Delete);
    }
  }
  // Qt's accelerators click their button after a short animation: waits for that click.
  void PressAltKey(char letter) override {
    auto clicked = std::make_shared<bool>(false);
    const QString accelerator = QStringLiteral("&") + QChar(letter);
    for (QAbstractButton* button : shown_->findChildren<QAbstractButton*>()) {
      if (button->text().contains(accelerator, Qt::CaseInsensitive)) {
        QObject::connect(button, &QAbstractButton::clicked, [clicked] { *clicked = true; });
      }
    }
    QTest::keyClick(shown_.get(), static_cast<Qt::Key>(Qt::Key_A + (letter - 'a')),
                    Qt::AltModifier);
    if (!QTest::qWaitFor([clicked] { return *clicked; }, kAcceleratorWaitMs)) {
      throw std::runtime_error(std::string("Alt+") + letter + " clicked no button");
    }
  }
  // By the keyboard, as the Win32 driver picks: Home, then Down until the index.
  void Pick(std::string_view name, int index) override {
    auto* list = Widget<QComboBox>(name);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int step = 0; step < index; ++step) QTest::keyClick(list, Qt::Key_Down);
  }
  // Shift+Insert over the whole text.
  void Paste(std::string_view name, std::string_view text) override {
    QApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    QLineEdit* box = Widget<QLineEdit>(name);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
  }
  void Click(std::string_view name) override {
    QTest::mouseClick(Widget<QAbstractButton>(name), Qt::LeftButton);
  }
  MessageBoxContent ClickAndCloseMessageBox(std::string_view button) override {
    auto seen =
        std::make_shared<MessageBoxContent>(MessageBoxContent{"", "", MessageBoxStyle::kNoIcon});
    PollForMessageBox(seen, kMessageBoxPolls);
    Click(button);
    return *seen;
  }

  std::string ShownText(std::string_view name) const override {
    const QObject* found = shown_->findChild<QObject*>(
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (const auto* box = qobject_cast<const QLineEdit*>(found)) return box->text().toStdString();
    if (const auto* list = qobject_cast<const QComboBox*>(found))
      return list->currentText().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(found)) return label->text().toStdString();
    throw std::invalid_argument("no text shown by " + std::string(name));
  }
  WindowsColor TextColour(std::string_view name) const override {
    const QColor colour = Widget<QLineEdit>(name)->palette().color(QPalette::Text);
    return static_cast<WindowsColor>(colour.red()) |
           (static_cast<WindowsColor>(colour.green()) << 8) |
           (static_cast<WindowsColor>(colour.blue()) << 16);
  }
  bool IsChecked(std::string_view name) const override {
    return Widget<QCheckBox>(name)->isChecked();
  }
  std::string AccessibleName(std::string_view name) const override {
    return AccessibleText(name, QAccessible::Name);
  }
  std::string AccessibleDescription(std::string_view name) const override {
    return AccessibleText(name, QAccessible::Description);
  }
  std::string FocusedName() const override {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus->objectName().toStdString() : std::string();
  }

 private:
  static constexpr int kMessageBoxPolls = 300;
  static constexpr int kAcceleratorWaitMs = 2000;

  template <typename Kind>
  Kind* Widget(std::string_view name) const {
    auto* widget = shown_->findChild<Kind*>(
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (widget == nullptr) throw std::invalid_argument("no widget " + std::string(name));
    return widget;
  }

  std::string AccessibleText(std::string_view name, QAccessible::Text which) const {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Widget<QWidget>(name));
    if (accessible == nullptr)
      throw std::invalid_argument("nothing accessible: " + std::string(name));
    return accessible->text(which).toStdString();
  }

  static MessageBoxStyle StyleOf(QMessageBox::Icon icon) {
    switch (icon) {
      case QMessageBox::Critical:
        return MessageBoxStyle::kError;
      case QMessageBox::Warning:
        return MessageBoxStyle::kExclamation;
      case QMessageBox::Information:
        return MessageBoxStyle::kInformation;
      default:
        return MessageBoxStyle::kNoIcon;
    }
  }

  // The box's text as the model gave it: Qt shows its lines split by "\n".
  static void PollForMessageBox(const std::shared_ptr<MessageBoxContent>& seen, int pollsLeft) {
    QTimer::singleShot(10, [seen, pollsLeft] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) {
        if (pollsLeft > 0) PollForMessageBox(seen, pollsLeft - 1);
        return;
      }
      *seen = {box->text().replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toStdString(),
               box->windowTitle().toStdString(), StyleOf(box->icon())};
      box->button(QMessageBox::Ok)->click();
    });
  }

  void Stop() {
    shown_.reset();
    model_.reset();
    if (store_) store_->Save();
    store_.reset();
  }

  std::unique_ptr<ProgramState> state_;
  QtMessageBoxPresenter messages_;
  std::unique_ptr<IniFileSettingsStore> store_;
  std::unique_ptr<MainWindow> model_;
  std::unique_ptr<PlannerWindow> shown_;
};

}  // namespace tarnwick
