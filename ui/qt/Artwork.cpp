#include "ui/qt/Artwork.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace tarnwick {

QImage RenderArt(const QString& art, QSize pixels) {
  QSvgRenderer renderer(art);
  if (!renderer.isValid()) return {};
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  return image;
}

QIcon WindowIcon() {
  QIcon icon;
  // The small drawing is made for 16 pixels; the large one serves every larger size.
  icon.addPixmap(QPixmap::fromImage(RenderArt(kSmallIconArt, {16, 16})));
  for (const int side : {32, 48, 64}) {
    icon.addPixmap(QPixmap::fromImage(RenderArt(kIconArt, {side, side})));
  }
  return icon;
}

}  // namespace tarnwick
