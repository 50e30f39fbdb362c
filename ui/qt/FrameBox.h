#pragma once

#include <QGroupBox>

namespace tarnwick {

// A titled frame drawn as the window's layout places it: the etched frame line runs through the
// middle of the title at the frame's top, and everything the frame contains keeps the place the
// layout gives it inside the frame. (Qt's own group box draws the title above the line, which
// puts the line below the first row of contents.)
class FrameBox final : public QGroupBox {
 public:
  FrameBox(const QString& title, QWidget* parent);

  // Where the top line of the frame is drawn, in the frame's own pixels.
  int FrameLineTop() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarnwick
