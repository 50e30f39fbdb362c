#include "ui/win32/BannerPainter.h"

#include "ui/win32/ResourceIds.h"

namespace tarnwick {
namespace {

void DrawArt(HDC dc, const RECT& area, HBITMAP art) {
  BITMAP size{};
  GetObjectW(art, sizeof(size), &size);
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, art);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source, 0, 0,
             size.bmWidth, size.bmHeight, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace

HBITMAP LoadBannerArt(HINSTANCE instance, int dpi) {
  int resource = kBannerResource2x;
  if (dpi < 120) {
    resource = kBannerResource1x;
  } else if (dpi < 168) {
    resource = kBannerResource3Halves;
  }
  // A bitmap of the display's format, not a DIB section: the art is run-length encoded, which
  // only the device-dependent bitmaps are made from.
  return static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

void PaintBanner(HDC dc, const RECT& area, HBITMAP art) {
  RECT inside = area;
  // A sunken edge is two pixels deep, as the art's bitmaps leave room for (kBannerEdgePixels).
  DrawEdge(dc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (art != nullptr) DrawArt(dc, inside, art);
}

}  // namespace tarnwick
