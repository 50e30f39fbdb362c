#include "ui/win32/WindowFonts.h"

namespace tarnwick {
namespace {

constexpr int kPointsPerInch = 72;
constexpr int kTankFigurePoints = 6;
// The window was drawn for a dialog font of 8 points: its captions fit their boxes at that size.
constexpr int kDialogPoints = 8;

LOGFONTW DialogFontAt(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                 static_cast<UINT>(dpi))) {
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -MulDiv(kDialogPoints, dpi, kPointsPerInch);
    font.lfWidth = 0;
    return font;
  }
  LOGFONTW fallback{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(fallback), &fallback);
  fallback.lfHeight = MulDiv(fallback.lfHeight, dpi, kStandardDpi);
  return fallback;
}

LOGFONTW TankFigureFontAt(int dpi) {
  LOGFONTW font{};
  font.lfHeight = -MulDiv(kTankFigurePoints, dpi, kPointsPerInch);
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynW(font.lfFaceName, L"Lucida Console", LF_FACESIZE);
  return font;
}

}  // namespace

void WindowFonts::MakeFor(int dpi) {
  const LOGFONTW dialog = DialogFontAt(dpi);
  const LOGFONTW tank = TankFigureFontAt(dpi);
  dialog_ = FontHandle(CreateFontIndirectW(&dialog));
  tankFigures_ = FontHandle(CreateFontIndirectW(&tank));
}

HFONT WindowFonts::For(FontRole role) const {
  return role == FontRole::kTankFigures ? tankFigures_.Get() : dialog_.Get();
}

}  // namespace tarnwick
