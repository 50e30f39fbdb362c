#pragma once

#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>

namespace tarnwick {

// The picture at the top of the window: the banner drawing inside a sunken two-pixel border,
// drawn from its vector art at whatever scale the screen has. The drawing is kept as a pixmap of
// the screen's resolution, so that repainting the tank boxes above it does not render the art
// again.
class BannerPicture final : public QWidget {
 public:
  explicit BannerPicture(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QPixmap& Drawing();

  QSvgRenderer renderer_;
  QPixmap drawing_;
};

}  // namespace tarnwick
