#include "ui/qt/BannerPicture.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPalette>

#include "ui/BannerSize.h"
#include "ui/qt/Artwork.h"

namespace tarnwick {

BannerPicture::BannerPicture(QWidget* parent) : QWidget(parent), renderer_(kBannerArt) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BannerPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, Drawing());
}

const QPixmap& BannerPicture::Drawing() {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (drawing_.size() == pixels && drawing_.devicePixelRatio() == ratio) return drawing_;
  drawing_ = QPixmap(pixels);
  drawing_.setDevicePixelRatio(ratio);
  QPainter painter(&drawing_);
  qDrawShadePanel(&painter, rect(), palette(), /*sunken=*/true, kBannerEdgePixels);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  renderer_.render(&painter, rect().adjusted(kBannerEdgePixels, kBannerEdgePixels,
                                             -kBannerEdgePixels, -kBannerEdgePixels));
  return drawing_;
}

}  // namespace tarnwick
