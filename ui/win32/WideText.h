#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnwick {

// The window model speaks UTF-8 and Windows' wide calls UTF-16: these convert at that edge.
// Invalid sequences become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The text that the window or control shows.
std::wstring ShownText(HWND control);

}  // namespace tarnwick
