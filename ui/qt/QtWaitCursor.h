#pragma once

#include <QGuiApplication>

#include "ui/WaitCursor.h"

namespace tarnwick {

// The wait cursor over every window of the application, through Qt's override cursor.
class QtWaitCursor final : public WaitCursor {
 public:
  void Show() override { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  void End() override { QGuiApplication::restoreOverrideCursor(); }
};

}  // namespace tarnwick
