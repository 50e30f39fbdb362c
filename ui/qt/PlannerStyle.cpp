#include "ui/qt/PlannerStyle.h"

#include <QApplication>
#include <QStyleFactory>

#include "ui/qt/Artwork.h"

namespace tarnwick {

void ApplyPlannerStyle(QApplication& application) {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  application.setWindowIcon(WindowIcon());
}

}  // namespace tarnwick
