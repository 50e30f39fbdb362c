#pragma once

#include <string>
#include <string_view>

#include "ui/MessageBoxPresenter.h"
#include "ui/WindowsColor.h"

namespace tarnwick {

// Keys that give no character by themselves.
enum class DriverKey { kTab, kShiftTab, kHome, kEnd, kLeft, kShiftLeft, kRight, kDelete };

// What the shared window behaviours need of a front-end: the planner's window, started as the
// program starts it on a settings store that outlives restarts, and worked as the pilot works
// it. Controls are named as in the window layout. Each front-end's tests implement it on the
// real window (Qt widgets, native Win32 controls).
class WindowDriver {
 public:
  virtual ~WindowDriver() = default;

  // Starts the program on the store, or starts it again after Close.
  virtual void Start() = 0;
  // Closes the window by its close box.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Types the text at the end of the named box, one keystroke per character.
  virtual void TypeKeys(std::string_view name, std::string_view text) = 0;
  // Presses the key in the control that has the focus.
  virtual void PressKey(DriverKey key) = 0;
  // Alt and the letter, wherever the focus is.
  virtual void PressAltKey(char letter) = 0;
  // Picks the list's item as the pilot does.
  virtual void Pick(std::string_view name, int index) = 0;
  // Puts the text on the clipboard and pastes it over the named box's whole text.
  virtual void Paste(std::string_view name, std::string_view text) = 0;
  virtual void Click(std::string_view name) = 0;
  // Clicks the button, and reads and closes with OK the message box it opens.
  virtual MessageBoxContent ClickAndCloseMessageBox(std::string_view button) = 0;

  // What the control shows: a box's text, a list's selected item, a label's caption.
  virtual std::string ShownText(std::string_view name) const = 0;
  virtual WindowsColor TextColour(std::string_view name) const = 0;
  virtual bool IsChecked(std::string_view name) const = 0;
  // The name and the description that the platform's accessibility layer gives the control, as
  // a screen reader reads them.
  virtual std::string AccessibleName(std::string_view name) const = 0;
  virtual std::string AccessibleDescription(std::string_view name) const = 0;
  // The layout name of the control with the focus, or "".
  virtual std::string FocusedName() const = 0;
};

}  // namespace tarnwick
