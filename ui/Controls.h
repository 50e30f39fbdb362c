#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "ui/ControlKind.h"
#include "ui/WaitCursor.h"
#include "ui/WindowsColor.h"

namespace tarnwick {

// The kinds of control the planner's window is made of, apart from any toolkit. Every write
// that changes a control's state raises the control's event before the write returns, exactly
// as a user action would; a write that changes nothing raises nothing.
//
// Besides its events, each control tells one state observer of every change, before the event
// is raised, so that a view can mirror the model.
class Control {
 public:
  Control(std::string name, ControlKind kind) : name_(std::move(name)), kind_(kind) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  void SetStateObserver(std::function<void()> observer) { observer_ = std::move(observer); }

 protected:
  void NotifyStateChanged() const {
    if (observer_) observer_();
  }
  static void Raise(const std::function<void()>& handler) {
    if (handler) handler();
  }

 private:
  std::string name_;
  ControlKind kind_;
  std::function<void()> observer_;
};

inline constexpr std::int16_t kBackspaceKey = 8;

enum class TextBoxRole { kInput, kDisplay };

// One line of text with a text colour. Input boxes take keystrokes; display boxes are written
// by the program only.
class TextBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kTextBox;

  TextBox(std::string name, TextBoxRole role, std::string text, WindowsColor textColor);

  const std::string& Text() const { return text_; }
  WindowsColor TextColor() const { return textColor_; }
  bool IsInput() const { return role_ == TextBoxRole::kInput; }

  // Raises Change when the text differs from the current one.
  void SetText(std::string text);
  void SetTextColor(WindowsColor color);

  // Raises KeyPress for a typed character code and returns the code the handler leaves:
  // 0 means the key is discarded.
  std::int16_t RaiseKeyPress(std::int16_t keyCode);
  // A keystroke with the caret at the end of the text: KeyPress first; then Backspace removes
  // the last character and any other surviving code is appended. False when it was discarded.
  bool TypeKeyAtEnd(std::int16_t keyCode);

  void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }
  void SetKeyPressHandler(std::function<void(std::int16_t&)> handler) {
    onKeyPress_ = std::move(handler);
  }

 private:
  TextBoxRole role_;
  std::string text_;
  WindowsColor textColor_;
  std::function<void()> onChange_;
  std::function<void(std::int16_t&)> onKeyPress_;
};

// A drop-down list the user can only pick from. The selected index is -1 when nothing is
// selected. Raises Click whenever the selected index changes.
class ComboBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kComboBox;

  static constexpr int kNoSelection = -1;

  explicit ComboBox(std::string name, std::vector<std::string> items = {});

  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  int SelectedIndex() const { return selectedIndex_; }
  // The text of the selected item; empty when nothing is selected.
  std::string SelectedText() const;
  // The index of the item with exactly this text, or kNoSelection.
  int IndexOf(std::string_view itemText) const;

  // Throws std::out_of_range unless index is kNoSelection or names an item.
  void SetSelectedIndex(int index);
  // Removes every item; a selection is lost, which raises Click.
  void Clear();
  void AddItem(std::string itemText);

  void SetClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

 private:
  std::vector<std::string> items_;
  int selectedIndex_ = kNoSelection;
  std::function<void()> onClick_;
};

// A check box with the value 0 (unchecked) or 1 (checked). Raises Click when the value changes.
class CheckBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kCheckBox;

  CheckBox(std::string name, std::string caption);

  const std::string& Caption() const { return caption_; }
  int Value() const { return value_; }
  // Throws std::out_of_range unless value is 0 or 1.
  void SetValue(int value);

  void SetClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

 private:
  std::string caption_;
  int value_ = 0;
  std::function<void()> onClick_;
};

class Label : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kLabel;

  Label(std::string name, std::string caption);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

 private:
  std::string caption_;
};

class CommandButton : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kCommandButton;

  CommandButton(std::string name, std::string caption);

  // The caption marks its Alt accelerator with "&" ("E&xit").
  const std::string& Caption() const { return caption_; }
  bool HasClickHandler() const { return static_cast<bool>(onClick_); }
  // Raises Click, with the wait cursor shown while it runs when the button has one.
  void Click() const;

  void SetClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }
  // The cursor to show while Click runs; nullptr for none. It must outlive the button.
  void SetWaitCursor(WaitCursor* cursor) { waitCursor_ = cursor; }

 private:
  std::string caption_;
  std::function<void()> onClick_;
  WaitCursor* waitCursor_ = nullptr;
};

// The window itself. The first Show raises Load; Unload raises Unload once, after which the
// window is gone for good.
class Window : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kWindow;

  explicit Window(std::string name);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool IsVisible() const { return visible_; }
  bool IsUnloaded() const { return unloaded_; }

  void Show();
  void Unload();

  void SetLoadHandler(std::function<void()> handler) { onLoad_ = std::move(handler); }
  void SetUnloadHandler(std::function<void()> handler) { onUnload_ = std::move(handler); }

 private:
  std::string caption_;
  bool loaded_ = false;
  bool visible_ = false;
  bool unloaded_ = false;
  std::function<void()> onLoad_;
  std::function<void()> onUnload_;
};

// The control as the kind it is, or nullptr when it is of another kind.
// ControlAs<Control> takes a control of any kind.
template <typename ControlType>
ControlType* ControlAs(Control& control) {
  if constexpr (std::is_same_v<ControlType, Control>) {
    return &control;
  } else {
    return control.Kind() == ControlType::kKind ? static_cast<ControlType*>(&control) : nullptr;
  }
}
template <typename ControlType>
const ControlType* ControlAs(const Control& control) {
  return ControlAs<ControlType>(const_cast<Control&>(control));
}

}  // namespace tarnwick
