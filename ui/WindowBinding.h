#pragma once

#include <stdexcept>
#include <string>

#include "ui/MainWindowControls.h"
#include "ui/WindowLayout.h"

namespace tarnwick {

// The window model's control that the layout's row shows, or nullptr for a row that only the
// window has (a frame, the picture, a caption). Throws std::logic_error when the model has no
// control that the row needs, or has it as another kind than the row's.
Control* ModelControlFor(MainWindowControls& controls, const ControlLayout& layout);

// The model's control for a row of a kind that the model always holds (a box, a list, the check
// box, a button), as that kind. Throws std::logic_error as ModelControlFor does.
template <typename ControlType>
ControlType& ModelControlAs(MainWindowControls& controls, const ControlLayout& layout) {
  ControlType* control = nullptr;
  if (Control* model = ModelControlFor(controls, layout)) control = ControlAs<ControlType>(*model);
  if (control == nullptr) {
    throw std::logic_error("the window model has no control " + std::string(layout.name) +
                           " of the kind its layout gives");
  }
  return *control;
}

// The close box unloads the window exactly as Exit does; unloading never refuses. False when the
// model's window was unloaded already: then the front-end closes its window itself.
bool UnloadByCloseBox(Window& window);

}  // namespace tarnwick
