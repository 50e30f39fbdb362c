#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/MessageBoxPresenter.h"
#include "ui/win32/Win32PlannerWindow.h"

namespace tarnwick {

// Drives the real Win32 window as a user would, through the route the program's message loop
// gives every message (the window's dialog keys first): keys typed into the focused control,
// Tab and Alt accelerators, list picks by the keyboard, button clicks, pastes; and reads what
// the window shows.
class Win32WindowDriver {
 public:
  explicit Win32WindowDriver(Win32PlannerWindow& window) : window_(window) {}

  void Focus(std::string_view name);
  // Types the text at the end of the named box (End first), one WM_CHAR per character.
  void TypeKeys(std::string_view name, std::string_view text);
  // A key that gives no character by itself (arrows, Home, Delete, Tab), with Shift held or not.
  void PressKey(UINT virtualKey, bool shift = false);
  // Alt and the letter, as the dialog keys see them.
  void PressAltKey(char letter);
  // Picks the list's item by the keyboard: Home, then Down until the index.
  void PickIndex(std::string_view name, int index);
  // Puts the text on the clipboard and pastes it into the named box.
  void Paste(std::string_view name, std::string_view text);
  void Click(std::string_view name);

  std::string ShownText(std::string_view name) const;
  COLORREF TextColour(std::string_view name) const;
  COLORREF BackgroundColour(std::string_view name) const;
  // The layout name of the control that has the focus, or "" when none of ours has it.
  std::string FocusedName() const;

  // Handles every message waiting on this thread as the program's loop would.
  void Pump();

 private:
  HWND Control(std::string_view name) const;
  void Route(MSG message);

  Win32PlannerWindow& window_;
};

// The control's name and description as Windows gives them to assistive tools
// (AccessibleObjectFromWindow); "" where it gives none.
std::string MsaaName(HWND control);
std::string MsaaDescription(HWND control);

// Clicks a button that opens a message box, finds the box from a second thread, reads it and
// closes it with OK: the box this click showed, or nothing when none came up in time.
MessageBoxContent ClickAndCloseMessageBox(Win32WindowDriver& driver, std::string_view button);

}  // namespace tarnwick
