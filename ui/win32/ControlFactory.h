#pragma once

#include <windows.h>

#include <span>

#include "ui/win32/NativeControl.h"
#include "ui/win32/WindowFonts.h"

namespace tarnwick {

// Makes the child control of the window for the layout's row: the window class and style that
// the row's kind calls for, and the caption it shows before the model's state is put into it.
// It stands nowhere until PlaceControl places it.
HWND CreateNativeControl(HWND window, const ControlLayout& layout, const Control* model, int id,
                         HINSTANCE instance);

// Puts the window's children, one for each row of the layout in its order, into the z-order
// that Tab and assistive tools follow and that draws each frame behind its controls.
void StackControls(std::span<const NativeControl> natives);

// Places and sizes the control for a screen of that many dots per inch, in its font.
void PlaceControl(NativeControl& native, int dpi, const WindowFonts& fonts);

}  // namespace tarnwick
