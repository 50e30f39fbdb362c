#pragma once

#include "ui/win32/AccessibleAnnotations.h"
#include "ui/win32/NativeControl.h"

namespace tarnwick {

// Puts the model's state into its child control: a box's text, colour and description, a
// list's items and selection, the check box's value, a label's caption.
void ShowModelState(NativeControl& native, AccessibleAnnotations& annotations);

// Hands the user's action on the child control, told by its notification code (WM_COMMAND), to
// the model's control: a typed text, a picked item, a click.
void TakeUserAction(NativeControl& native, int notification);

}  // namespace tarnwick
