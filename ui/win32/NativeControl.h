#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"
#include "ui/WindowLayout.h"
#include "ui/win32/GdiObject.h"

namespace tarnwick {

// One child control of the planner's window: the layout row it was made from, the window
// model's control it shows (of the row's kind), and what it was last told.
struct NativeControl {
  const ControlLayout* layout;
  Control* model;  // nullptr for the frames, caption labels and the picture
  HWND handle = nullptr;
  std::vector<std::string> shownItems{};  // a list's items as the combo box holds them
  WindowsColor shownColour = kBlack;      // a text box's text colour as last drawn
  std::string_view toldDescription{};     // a text box's description as assistive tools have it
  FontHandle ownFont{};                   // a caption's own font, where the dialog font is too wide
};

}  // namespace tarnwick
