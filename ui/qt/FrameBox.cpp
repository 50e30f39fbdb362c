#include "ui/qt/FrameBox.h"

#include <QFontMetrics>
#include <QPainter>

namespace tarnwick {
namespace {

// The title starts this far in from the frame's left edge, with a gap of this much around it.
constexpr int kTitleIndentPixels = 6;
constexpr int kTitleGapPixels = 2;

// An etched line: a shadow line with a light one just below and to the right of it.
void DrawEtchedRect(QPainter& painter, const QRect& rect, const QPalette& palette) {
  painter.setPen(palette.color(QPalette::Mid));
  painter.drawRect(rect.adjusted(0, 0, -2, -2));
  painter.setPen(palette.color(QPalette::Light));
  painter.drawRect(rect.adjusted(1, 1, -1, -1));
}

}  // namespace

FrameBox::FrameBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

int FrameBox::FrameLineTop() const { return QFontMetrics(font()).height() / 2; }

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect frame(0, FrameLineTop(), width(), height() - FrameLineTop());
  DrawEtchedRect(painter, frame, palette());
  if (title().isEmpty()) return;
  const QFontMetrics metrics(font());
  const QRect titleRect(kTitleIndentPixels, 0,
                        metrics.horizontalAdvance(title()) + 2 * kTitleGapPixels, metrics.height());
  painter.fillRect(titleRect, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace tarnwick
