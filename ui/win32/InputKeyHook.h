#pragma once

#include <windows.h>

namespace tarnwick {

class TextBox;

// Sends every character typed into the edit box (WM_CHAR) through the text box's KeyPress
// first: a code the handler sets to 0 is dropped, any other goes on to the edit box as the code
// the handler left. Keys that give no character (arrows, Home, End, Delete) and pastes pass
// untouched; a paste reaches the model as a Change. The box must outlive the edit box.
void HookInputKeys(HWND edit, TextBox& box);

}  // namespace tarnwick
