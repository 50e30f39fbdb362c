#pragma once

#include "ui/MainWindowControls.h"

namespace tarnwick {

// The window on the screen in one toolkit, with its run loop. While the window is shown, the
// platform's message boxes belong to it.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  // Shows the window of the controls (frmMain.Show loads the model) and runs until the pilot has
  // closed it; the run loop's exit code.
  virtual int ShowUntilClosed(MainWindowControls& controls) = 0;
  // Shows the window of the controls and returns once it has been painted whole, without
  // unloading the model.
  virtual void ShowUntilPainted(MainWindowControls& controls) = 0;
};

}  // namespace tarnwick
