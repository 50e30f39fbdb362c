#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace tarnwick {

// The picture at the top of the window: the banner drawing inside a sunken two-pixel border,
// drawn from its vector art at whatever scale the screen has.
class BannerPicture final : public QWidget {
 public:
  explicit BannerPicture(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSvgRenderer renderer_;
};

}  // namespace tarnwick
