#pragma once

#include <cstdint>

namespace tarnwick {

// A colour as Windows stores it: 0x00BBGGRR.
using WindowsColor = std::uint32_t;

inline constexpr WindowsColor kBlack = 0x000000;
inline constexpr WindowsColor kRed = 0x0000FF;
inline constexpr WindowsColor kBlue = 0xFF0000;

}  // namespace tarnwick
