#include "ui/qt/InputKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "ui/Controls.h"

namespace tarnwick {
namespace {

constexpr std::int16_t kEnterKey = 13;
constexpr std::int16_t kEscapeKey = 27;

bool IsEditingOrNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    default:
      return false;
  }
}

TypedKey Character(int code) {
  return {TypedKey::Route::kCharacter, static_cast<std::int16_t>(code)};
}

}  // namespace

TypedKey ClassifyKey(const QKeyEvent& event) {
  const int key = event.key();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (IsEditingOrNavigationKey(key)) return {TypedKey::Route::kEditOrNavigate};
  if (modifiers.testFlag(Qt::AltModifier)) return {TypedKey::Route::kSwallow};
  if (key == Qt::Key_Backspace) return Character(kBackspaceKey);
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return Character(kEnterKey);
  if (key == Qt::Key_Escape) return Character(kEscapeKey);
  // Ctrl with a letter is that letter's control character, 1 for A to 26 for Z.
  if (modifiers.testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
    return Character(key - Qt::Key_A + 1);
  }
  const QString text = event.text();
  if (text.isEmpty()) return {TypedKey::Route::kEditOrNavigate};
  // Codes above 0x7FFF come out negative, as 16-bit character codes do.
  return Character(static_cast<std::int16_t>(text.at(0).unicode()));
}

InputKeyFilter::InputKeyFilter(TextBox& box, QLineEdit& edit)
    : QObject(&edit), box_(box), edit_(edit) {
  edit.installEventFilter(this);
  // Composed input would reach the text without a key press.
  edit.setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool InputKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &edit_ || event->type() != QEvent::KeyPress) return false;
  return HandleKeyPress(*static_cast<QKeyEvent*>(event));
}

bool InputKeyFilter::HandleKeyPress(const QKeyEvent& event) {
  const TypedKey typed = ClassifyKey(event);
  if (typed.route != TypedKey::Route::kCharacter) return typed.route == TypedKey::Route::kSwallow;
  const std::int16_t accepted = box_.RaiseKeyPress(typed.code);
  if (accepted == 0) return true;
  if (accepted == typed.code) return false;
  if (accepted == kBackspaceKey) {
    edit_.backspace();
  } else {
    edit_.insert(QString(QChar(static_cast<char16_t>(accepted))));
  }
  return true;
}

}  // namespace tarnwick
