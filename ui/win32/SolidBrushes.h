#pragma once

#include <windows.h>

#include <map>

#include "ui/win32/GdiObject.h"

namespace tarnwick {

// One solid brush per colour, made when first asked for and kept for the window's life.
class SolidBrushes {
 public:
  HBRUSH For(COLORREF colour) {
    auto found = brushes_.find(colour);
    if (found == brushes_.end()) {
      found = brushes_.emplace(colour, BrushHandle(CreateSolidBrush(colour))).first;
    }
    return found->second.Get();
  }

 private:
  std::map<COLORREF, BrushHandle> brushes_;
};

}  // namespace tarnwick
