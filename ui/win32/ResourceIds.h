#pragma once

// Ids of the resources linked into the planner's program (apps/tarnwick-win32/tarnwick.rc): the
// window icon, and the banner drawn at 1, 1.5 and 2 times its size at 96 dpi.
#define TARNWICK_WINDOW_ICON 1
#define TARNWICK_BANNER_1X 10
#define TARNWICK_BANNER_3_2X 11
#define TARNWICK_BANNER_2X 12

#ifdef __cplusplus
namespace tarnwick {
inline constexpr int kWindowIconResource = TARNWICK_WINDOW_ICON;
inline constexpr int kBannerResource1x = TARNWICK_BANNER_1X;
inline constexpr int kBannerResource3Halves = TARNWICK_BANNER_3_2X;
inline constexpr int kBannerResource2x = TARNWICK_BANNER_2X;
}  // namespace tarnwick
#endif
