#include "ui/qt/BannerPicture.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPalette>

#include "ui/qt/Artwork.h"

namespace tarnwick {
namespace {

constexpr int kBorderPixels = 2;

}  // namespace

BannerPicture::BannerPicture(QWidget* parent) : QWidget(parent), renderer_(kBannerArt) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BannerPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  qDrawShadePanel(&painter, rect(), palette(), /*sunken=*/true, kBorderPixels);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  renderer_.render(&painter,
                   rect().adjusted(kBorderPixels, kBorderPixels, -kBorderPixels, -kBorderPixels));
}

}  // namespace tarnwick
