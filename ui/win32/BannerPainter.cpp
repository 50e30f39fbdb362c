#include "ui/win32/BannerPainter.h"

#include "ui/win32/GdiObject.h"
#include "ui/win32/ResourceIds.h"

namespace tarnwick {
namespace {

constexpr COLORREF kSky = RGB(176, 208, 236);
constexpr COLORREF kGround = RGB(120, 150, 110);
constexpr COLORREF kAirframe = RGB(240, 240, 244);
constexpr COLORREF kOutline = RGB(60, 64, 72);
constexpr COLORREF kLettering = RGB(20, 40, 110);

// A length of the drawing, given in pixels at 96 dpi.
int Scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

void FillArea(HDC dc, const RECT& area, COLORREF colour) {
  const BrushHandle brush(CreateSolidBrush(colour));
  FillRect(dc, &area, brush.Get());
}

void DrawAircraft(HDC dc, const RECT& area, int dpi) {
  const int centreX = (area.left + area.right) / 2;
  const int wingY = area.top + (area.bottom - area.top) * 45 / 100;
  const int span = (area.right - area.left) * 44 / 100;
  const BrushHandle body(CreateSolidBrush(kAirframe));
  const GdiObject<HPEN> outline(CreatePen(PS_SOLID, Scaled(1, dpi), kOutline));
  const HGDIOBJ oldBrush = SelectObject(dc, body.Get());
  const HGDIOBJ oldPen = SelectObject(dc, outline.Get());
  // The wing, high on the fuselage, the two engines under it, the fin above.
  Rectangle(dc, centreX - span, wingY - Scaled(3, dpi), centreX + span, wingY + Scaled(3, dpi));
  for (const int side : {-1, 1}) {
    const int engineX = centreX + side * span * 38 / 100;
    Ellipse(dc, engineX - Scaled(9, dpi), wingY, engineX + Scaled(9, dpi), wingY + Scaled(18, dpi));
  }
  Rectangle(dc, centreX - Scaled(2, dpi), area.top + Scaled(8, dpi), centreX + Scaled(2, dpi),
            wingY);
  Rectangle(dc, centreX - Scaled(40, dpi), area.top + Scaled(10, dpi), centreX + Scaled(40, dpi),
            area.top + Scaled(14, dpi));
  Ellipse(dc, centreX - Scaled(22, dpi), wingY - Scaled(12, dpi), centreX + Scaled(22, dpi),
          wingY + Scaled(32, dpi));
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void DrawTypeName(HDC dc, const RECT& area, int dpi) {
  LOGFONTW face{};
  face.lfHeight = -Scaled(18, dpi);
  face.lfWeight = FW_BOLD;
  face.lfItalic = TRUE;
  lstrcpynW(face.lfFaceName, L"Arial", LF_FACESIZE);
  const FontHandle font(CreateFontIndirectW(&face));
  const HGDIOBJ oldFont = SelectObject(dc, font.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kLettering);
  RECT text = area;
  OffsetRect(&text, Scaled(8, dpi), Scaled(6, dpi));
  DrawTextW(dc, L"ATR 72-500", -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

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

void PaintBanner(HDC dc, const RECT& area, int dpi, HBITMAP art) {
  RECT inside = area;
  DrawEdge(dc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (art != nullptr) {
    DrawArt(dc, inside, art);
    return;
  }
  RECT ground = inside;
  ground.top = inside.top + (inside.bottom - inside.top) * 80 / 100;
  RECT sky = inside;
  sky.bottom = ground.top;
  FillArea(dc, sky, kSky);
  FillArea(dc, ground, kGround);
  DrawAircraft(dc, inside, dpi);
  DrawTypeName(dc, inside, dpi);
}

}  // namespace tarnwick
