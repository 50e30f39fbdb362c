#pragma once

#include <windows.h>

#include <string>

#include "ui/Utf16Text.h"

namespace tarnwick {

// The text that the window or control shows.
std::wstring ShownText(HWND control);

}  // namespace tarnwick
