#pragma once

#include <windows.h>

#include "ui/WindowLayout.h"
#include "ui/win32/GdiObject.h"

namespace tarnwick {

// The window's two fonts at one screen resolution: the system's dialog (message) font at 8 points
// for every control, and a small bold fixed-pitch font for the figures of the tank boxes.
class WindowFonts {
 public:
  // Makes both fonts anew for a screen of that many dots per inch.
  void MakeFor(int dpi);
  HFONT For(FontRole role) const;

 private:
  FontHandle dialog_;
  FontHandle tankFigures_;
};

}  // namespace tarnwick
