#include "ui/qt/ControlBinding.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <memory>

#include "ui/Controls.h"
#include "ui/LimitDescription.h"
#include "ui/qt/InputKeyFilter.h"
#include "ui/qt/WidgetLook.h"

namespace tarnwick {
namespace {

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

// Runs show once now and again after every change of the control, for as long as the widget
// lives.
template <typename Widget, typename ShowState>
void Mirror(Control& control, Widget& widget, ShowState show) {
  QPointer<Widget> guarded(&widget);
  control.SetStateObserver([guarded, show] {
    if (guarded) show(*guarded);
  });
  show(widget);
}

void ShowTextColour(QWidget& widget, WindowsColor colour) {
  QPalette palette = widget.palette();
  const QColor shown = ToQColor(colour);
  if (palette.color(QPalette::Text) == shown) return;
  palette.setColor(QPalette::Text, shown);
  widget.setPalette(palette);
}

// The list's items, appended to when the model only added items at the end.
void ShowItems(const ComboBox& list, QComboBox& combo) {
  const std::vector<std::string>& items = list.Items();
  int kept = 0;
  while (kept < combo.count() && kept < list.ItemCount() &&
         combo.itemText(kept) == ToQString(items[static_cast<std::size_t>(kept)])) {
    ++kept;
  }
  while (combo.count() > kept) combo.removeItem(combo.count() - 1);
  for (int index = kept; index < list.ItemCount(); ++index) {
    combo.addItem(ToQString(items[static_cast<std::size_t>(index)]));
  }
}

// The box's own context menu without the keyboard shortcuts it lists: in an input box the key
// filter takes Ctrl+V, Ctrl+Z and the like as characters and discards them, while the menu's
// entries themselves work.
void ShowMenuWithoutShortcuts(QLineEdit& edit, const QPoint& at) {
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  for (QAction* action : menu->actions()) {
    action->setText(action->text().section(QLatin1Char('\t'), 0, 0));
  }
  menu->exec(edit.mapToGlobal(at));
}

// The wait cursor over the application for as long as it lives.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

void BindTextBox(TextBox& box, QLineEdit& edit) {
  Mirror(box, edit, [&box](QLineEdit& shown) {
    const QString text = ToQString(box.Text());
    if (shown.text() != text) shown.setText(text);
    ShowTextColour(shown, box.TextColor());
    const std::string_view said = LimitDescription(box.TextColor());
    const QString description = QString::fromUtf8(said.data(), static_cast<qsizetype>(said.size()));
    if (shown.accessibleDescription() != description) shown.setAccessibleDescription(description);
  });
  if (!box.IsInput()) {
    edit.setReadOnly(true);
    return;
  }
  new InputKeyFilter(box, edit);
  edit.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&edit, &QLineEdit::customContextMenuRequested,
                   [&edit](const QPoint& at) { ShowMenuWithoutShortcuts(edit, at); });
  // textEdited comes from the user alone (typing, pasting, undoing), never from setText.
  QObject::connect(&edit, &QLineEdit::textEdited,
                   [&box](const QString& text) { box.SetText(text.toStdString()); });
}

void BindComboBox(ComboBox& list, QComboBox& combo) {
  Mirror(list, combo, [&list](QComboBox& shown) {
    const QSignalBlocker quiet(shown);
    ShowItems(list, shown);
    shown.setCurrentIndex(list.SelectedIndex());
  });
  QObject::connect(&combo, &QComboBox::currentIndexChanged,
                   [&list](int index) { list.SetSelectedIndex(index); });
}

void BindCheckBox(CheckBox& check, QCheckBox& widget) {
  widget.setText(ToQString(check.Caption()));
  Mirror(check, widget, [&check](QCheckBox& shown) {
    const QSignalBlocker quiet(shown);
    shown.setChecked(check.Value() != 0);
  });
  QObject::connect(&widget, &QCheckBox::toggled,
                   [&check](bool checked) { check.SetValue(checked ? 1 : 0); });
}

void BindLabel(Label& label, QLabel& widget) {
  Mirror(label, widget, [&label](QLabel& shown) { shown.setText(ToQString(label.Caption())); });
}

void BindCommandButton(CommandButton& button, QPushButton& widget) {
  widget.setText(ToQString(button.Caption()));
  QObject::connect(&widget, &QPushButton::clicked, [&button] {
    // A command may block for a while (a simulator exchange waits up to 23 s).
    const BusyCursor busy;
    button.Click();
  });
}

void Unbind(Control& control) { control.SetStateObserver({}); }

}  // namespace tarnwick
