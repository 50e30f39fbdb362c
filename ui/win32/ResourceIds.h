#pragma once

// Ids of the resources linked into the planner's program (apps/tarnwick-win32/tarnwick.rc).
#define TARNWICK_WINDOW_ICON 1

#ifdef __cplusplus
namespace tarnwick {
inline constexpr int kWindowIconResource = TARNWICK_WINDOW_ICON;
}  // namespace tarnwick
#endif
