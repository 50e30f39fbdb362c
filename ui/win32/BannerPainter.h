#pragma once

#include <windows.h>

namespace tarnwick {

// Draws the banner picture into the area: a sunken edge and, inside it, the aircraft seen
// head-on with the type name in the top left corner.
void PaintBanner(HDC dc, const RECT& area, int dpi);

}  // namespace tarnwick
