#include "ui/Controls.h"

#include <stdexcept>

namespace tarnwick {
namespace {

// Characters arrive as 16-bit codes; the text is kept in UTF-8.
void AppendCodePoint(std::string& text, std::uint16_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void RemoveLastCodePoint(std::string& text) {
  while (!text.empty()) {
    const auto last = static_cast<unsigned char>(text.back());
    text.pop_back();
    if ((last & 0xC0) != 0x80) return;  // not a continuation byte: a whole character is gone
  }
}

}  // namespace

TextBox::TextBox(std::string name, TextBoxRole role, std::string text, WindowsColor textColor)
    : Control(std::move(name), kKind), role_(role), text_(std::move(text)), textColor_(textColor) {}

void TextBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  NotifyStateChanged();
  Raise(onChange_);
}

void TextBox::SetTextColor(WindowsColor color) {
  if (color == textColor_) return;
  textColor_ = color;
  NotifyStateChanged();
}

std::int16_t TextBox::RaiseKeyPress(std::int16_t keyCode) {
  if (onKeyPress_) onKeyPress_(keyCode);
  return keyCode;
}

bool TextBox::TypeKeyAtEnd(std::int16_t keyCode) {
  const std::int16_t accepted = RaiseKeyPress(keyCode);
  if (accepted == 0) return false;
  std::string text = text_;
  if (accepted == kBackspaceKey) {
    RemoveLastCodePoint(text);
  } else {
    AppendCodePoint(text, static_cast<std::uint16_t>(accepted));
  }
  SetText(std::move(text));
  return true;
}

ComboBox::ComboBox(std::string name, std::vector<std::string> items)
    : Control(std::move(name), kKind), items_(std::move(items)) {}

std::string ComboBox::SelectedText() const {
  return selectedIndex_ == kNoSelection ? std::string()
                                        : items_[static_cast<std::size_t>(selectedIndex_)];
}

int ComboBox::IndexOf(std::string_view itemText) const {
  for (int index = 0; index < ItemCount(); ++index) {
    if (items_[static_cast<std::size_t>(index)] == itemText) return index;
  }
  return kNoSelection;
}

void ComboBox::SetSelectedIndex(int index) {
  if (index < kNoSelection || index >= ItemCount()) {
    throw std::out_of_range(Name() + ": no item " + std::to_string(index));
  }
  if (index == selectedIndex_) return;
  selectedIndex_ = index;
  NotifyStateChanged();
  Raise(onClick_);
}

void ComboBox::Clear() {
  const bool hadSelection = selectedIndex_ != kNoSelection;
  items_.clear();
  selectedIndex_ = kNoSelection;
  NotifyStateChanged();
  if (hadSelection) Raise(onClick_);
}

void ComboBox::AddItem(std::string itemText) {
  items_.push_back(std::move(itemText));
  NotifyStateChanged();
}

CheckBox::CheckBox(std::string name, std::string caption)
    : Control(std::move(name), kKind), caption_(std::move(caption)) {}

void CheckBox::SetValue(int value) {
  if (value != 0 && value != 1) {
    throw std::out_of_range(Name() + ": a check value is 0 or 1, not " + std::to_string(value));
  }
  if (value == value_) return;
  value_ = value;
  NotifyStateChanged();
  Raise(onClick_);
}

Label::Label(std::string name, std::string caption)
    : Control(std::move(name), kKind), caption_(std::move(caption)) {}

void Label::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyStateChanged();
}

CommandButton::CommandButton(std::string name, std::string caption)
    : Control(std::move(name), kKind), caption_(std::move(caption)) {}

void CommandButton::Click() const {
  if (waitCursor_ == nullptr) {
    Raise(onClick_);
    return;
  }
  const WaitCursorShown waiting(*waitCursor_);
  Raise(onClick_);
}

Window::Window(std::string name) : Control(std::move(name), kKind) {}

void Window::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyStateChanged();
}

void Window::Show() {
  if (unloaded_ || visible_) return;
  if (!loaded_) {
    loaded_ = true;
    Raise(onLoad_);
  }
  visible_ = true;
  NotifyStateChanged();
}

void Window::Unload() {
  if (!loaded_ || unloaded_) return;
  unloaded_ = true;
  visible_ = false;
  Raise(onUnload_);
  NotifyStateChanged();
}

}  // namespace tarnwick
