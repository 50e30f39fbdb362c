#include "ui/qt/ControlBinding.h"

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
#include "ui/ShownItems.h"
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

// The items of a combo box, for the model's list to be shown in.
class ComboItems final : public ShownItems {
 public:
  explicit ComboItems(QComboBox& combo) : combo_(combo) {}
  std::size_t Count() const override { return static_cast<std::size_t>(combo_.count()); }
  bool Shows(std::size_t index, const std::string& item) const override {
    return combo_.itemText(static_cast<int>(index)) == ToQString(item);
  }
  void RemoveLast() override { combo_.removeItem(combo_.count() - 1); }
  void Append(const std::string& item) override { combo_.addItem(ToQString(item)); }

 private:
  QComboBox& combo_;
};

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
    ComboItems items(shown);
    ShowItems(list.Items(), items);
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
  QObject::connect(&widget, &QPushButton::clicked, [&button] { button.Click(); });
}

void Unbind(Control& control) { control.SetStateObserver({}); }

}  // namespace tarnwick
