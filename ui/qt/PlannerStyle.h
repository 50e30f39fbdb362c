#pragma once

#include <QProxyStyle>

class QApplication;

namespace tarnwick {

// Qt's Fusion style, which keeps to the palette colours the window sets, except for the frame of
// the text boxes: a sunken three-dimensional edge of two pixels, as text boxes had on Windows,
// drawn with straight lines instead of Fusion's rounded, anti-aliased outline. The boxes are
// repainted on every keystroke, most of them at once, and the rounded outline cost more than
// the rest of their painting together. The box's edge and inside cover all of it, so nothing
// beneath needs repainting with it.
class PlannerStyle final : public QProxyStyle {
 public:
  PlannerStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

// Gives the whole program one look wherever it runs: the planner's style and the planner's
// icon on every window. It also names the installed desktop entry, by which the desktop finds
// the program's name and icon for its windows (on Wayland the only way).
void ApplyPlannerStyle(QApplication& application);

}  // namespace tarnwick
