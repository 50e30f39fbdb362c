#include "ui/qt/WidgetLook.h"

namespace tarnwick {
namespace {

// Sizes in logical pixels: the window is laid out in them, whatever the screen's scale.
constexpr int kDialogFontPixels = 10;
constexpr int kTankFontPixels = 8;

}  // namespace

QColor ToQColor(WindowsColor colour) {
  return {static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
          static_cast<int>((colour >> 16) & 0xFFu)};
}

QFont FontFor(FontRole role) {
  QFont font;
  if (role == FontRole::kTankFigures) {
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(kTankFontPixels);
    font.setBold(true);
  } else {
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kDialogFontPixels);
  }
  return font;
}

}  // namespace tarnwick
