#include "ui/qt/PlannerStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "ui/BuildConfig.h"
#include "ui/qt/Artwork.h"

namespace tarnwick {
namespace {

// A line of one pixel along an edge, drawn as a filled rectangle: the cheapest thing to paint.
void EdgeLine(QPainter& painter, int x, int y, int width, int height, const QColor& colour) {
  painter.fillRect(x, y, width, height, colour);
}

// The sunken edge of Windows' text boxes, two pixels wide: outside, the shadow above and left
// and the light below and right; inside it, the dark shadow and the midlight.
void DrawSunkenEdge(const QRect& box, const QPalette& palette, QPainter& painter) {
  const int x = box.x();
  const int y = box.y();
  const int w = box.width();
  const int h = box.height();
  EdgeLine(painter, x, y, w - 1, 1, palette.color(QPalette::Dark));
  EdgeLine(painter, x, y, 1, h - 1, palette.color(QPalette::Dark));
  EdgeLine(painter, x, y + h - 1, w, 1, palette.color(QPalette::Light));
  EdgeLine(painter, x + w - 1, y, 1, h, palette.color(QPalette::Light));
  EdgeLine(painter, x + 1, y + 1, w - 3, 1, palette.color(QPalette::Shadow));
  EdgeLine(painter, x + 1, y + 1, 1, h - 3, palette.color(QPalette::Shadow));
  EdgeLine(painter, x + 1, y + h - 2, w - 2, 1, palette.color(QPalette::Midlight));
  EdgeLine(painter, x + w - 2, y + 1, 1, h - 2, palette.color(QPalette::Midlight));
}

// The sunken edge and the inside of a framed text box; the focus shows as a line in the
// highlight colour just inside the edge.
void DrawSunkenTextBox(const QStyleOptionFrame& panel, QPainter& painter) {
  constexpr int kEdge = 2;
  const QRect inside = panel.rect.adjusted(kEdge, kEdge, -kEdge, -kEdge);
  painter.fillRect(inside, panel.palette.brush(QPalette::Base));
  DrawSunkenEdge(panel.rect, panel.palette, painter);
  if (panel.state.testFlag(QStyle::State_HasFocus)) {
    painter.setPen(panel.palette.color(QPalette::Highlight));
    painter.drawRect(inside.adjusted(0, 0, -1, -1));
  }
}

}  // namespace

PlannerStyle::PlannerStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void PlannerStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  const auto* panel = qstyleoption_cast<const QStyleOptionFrame*>(option);
  if (element == PE_PanelLineEdit && panel != nullptr && panel->lineWidth > 0) {
    DrawSunkenTextBox(*panel, *painter);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ApplyPlannerStyle(QApplication& application) {
  QApplication::setStyle(new PlannerStyle);  // the application owns its style
  application.setWindowIcon(WindowIcon());
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kBuildDesktopId));
}

}  // namespace tarnwick
