#include "ui/qt/PlannerStyle.h"

#include <QApplication>
#include <QStyleFactory>

#include "ui/BuildConfig.h"
#include "ui/qt/Artwork.h"

namespace tarnwick {

void ApplyPlannerStyle(QApplication& application) {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  application.setWindowIcon(WindowIcon());
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kBuildDesktopId));
}

}  // namespace tarnwick
