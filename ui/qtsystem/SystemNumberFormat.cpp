#include "ui/qtsystem/SystemNumberFormat.h"

#include <QLocale>

namespace tarnwick {

NumberFormat SystemNumberFormat() {
  const QLocale locale = QLocale::system();
  return {.groupSeparator = locale.groupSeparator().toStdString(),
          .decimalSeparator = locale.decimalPoint().toStdString()};
}

}  // namespace tarnwick
