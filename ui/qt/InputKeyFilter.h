#pragma once

#include <QObject>
#include <cstdint>

class QKeyEvent;
class QLineEdit;

namespace tarnwick {

class TextBox;

// What a key press in an input box means to the window model. Editing and navigation keys
// (arrows, Home, End, Delete, Insert, page keys, Tab) are no characters and go to the box
// untouched; a key with Alt held is a command, never typed; every other key that produces a
// character is a KeyPress with its character code, control keys included (Ctrl+V is 22,
// Enter 13, Backspace 8).
struct TypedKey {
  enum class Route { kEditOrNavigate, kSwallow, kCharacter };
  Route route;
  std::int16_t code = 0;
};

TypedKey ClassifyKey(const QKeyEvent& event);

// Raises the model's KeyPress for every character typed into one input box before the box sees
// it: a code of 0 discards the key, the same code lets the box type it, another code is typed
// instead.
class InputKeyFilter final : public QObject {
 public:
  InputKeyFilter(TextBox& box, QLineEdit& edit);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // True when the box must not see the key press itself.
  bool HandleKeyPress(const QKeyEvent& event);

  TextBox& box_;
  QLineEdit& edit_;
};

}  // namespace tarnwick
