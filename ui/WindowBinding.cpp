#include "ui/WindowBinding.h"

namespace tarnwick {
namespace {

// Frames and the picture exist only in the layout; a label may be a caption of the window's own.
bool ModelMayLack(ControlKind kind) {
  return kind == ControlKind::kFrame || kind == ControlKind::kPicture ||
         kind == ControlKind::kLabel;
}

}  // namespace

Control* ModelControlFor(MainWindowControls& controls, const ControlLayout& layout) {
  Control* model = controls.Find<Control>(layout.name);
  if (model == nullptr && ModelMayLack(layout.kind)) return nullptr;
  if (model == nullptr || model->Kind() != layout.kind) {
    throw std::logic_error("the window model has no control " + std::string(layout.name) +
                           " of the kind its layout gives");
  }
  return model;
}

bool UnloadByCloseBox(Window& window) {
  if (window.IsUnloaded()) return false;
  window.Unload();
  return true;
}

}  // namespace tarnwick
