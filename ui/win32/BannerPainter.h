#pragma once

#include <windows.h>

namespace tarnwick {

// The banner's art for a screen of that many dots per inch, from the program's resources: drawn
// at 1, 1.5 or 2 times its size, whichever is nearest, or nullptr when the program has none.
HBITMAP LoadBannerArt(HINSTANCE instance, int dpi);

// Draws the banner picture into the area: a sunken edge and, inside it, the art stretched to
// fit. Every build of tarnwick.exe links its art in; without art the inside is left as it is.
void PaintBanner(HDC dc, const RECT& area, HBITMAP art);

}  // namespace tarnwick
