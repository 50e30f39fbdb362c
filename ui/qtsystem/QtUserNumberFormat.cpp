#include "ui/qtsystem/QtUserNumberFormat.h"

#include <QLocale>

namespace tarnwick {

NumberFormat UserNumberFormat() {
  const QLocale locale = QLocale::system();
  return {.groupSeparator = locale.groupSeparator().toStdString(),
          .decimalSeparator = locale.decimalPoint().toStdString()};
}

}  // namespace tarnwick
