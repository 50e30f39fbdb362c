#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The planner speaks UTF-8 and Windows' wide calls UTF-16: these convert at that edge (Windows
// builds only). Invalid sequences become U+FFFD.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tarnwick
