#pragma once

namespace tarnwick {

// What a control of the planner's window is. The window model holds the first six; frames and
// the banner picture exist only in the window's layout, since nothing reads or writes them.
enum class ControlKind {
  kWindow,
  kTextBox,
  kComboBox,
  kCheckBox,
  kLabel,
  kCommandButton,
  kFrame,
  kPicture,
};

}  // namespace tarnwick
