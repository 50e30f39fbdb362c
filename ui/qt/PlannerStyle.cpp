#include "ui/qt/PlannerStyle.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "ui/qt/Artwork.h"

namespace tarnwick {
namespace {

// The sunken edge and the inside of a framed text box; the focus shows as a line in the
// highlight colour just inside the edge.
void DrawSunkenTextBox(const QStyleOptionFrame& panel, QPainter& painter) {
  constexpr int kEdge = 2;
  const QRect inside = panel.rect.adjusted(kEdge, kEdge, -kEdge, -kEdge);
  painter.fillRect(inside, panel.palette.brush(QPalette::Base));
  qDrawWinPanel(&painter, panel.rect, panel.palette, /*sunken=*/true, nullptr);
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
}

}  // namespace tarnwick
