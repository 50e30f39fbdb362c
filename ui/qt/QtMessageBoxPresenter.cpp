#include "ui/qt/QtMessageBoxPresenter.h"

#include <QApplication>

namespace tarnwick {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QMessageBox::Icon IconForStyle(MessageBoxStyle style) {
  switch (style) {
    case MessageBoxStyle::kError:
      return QMessageBox::Critical;
    case MessageBoxStyle::kExclamation:
      return QMessageBox::Warning;
    case MessageBoxStyle::kInformation:
      return QMessageBox::Information;
    case MessageBoxStyle::kNoIcon:
      break;
  }
  return QMessageBox::NoIcon;
}

QString MessageBoxText(std::string_view text) {
  QString shown = ToQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

void QtMessageBoxPresenter::Show(std::string_view text, std::string_view title,
                                 MessageBoxStyle style) {
  QMessageBox box(IconForStyle(style), ToQString(title), MessageBoxText(text), QMessageBox::Ok,
                  parent_);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  // The box waits for the pilot, not the program: it shows the arrow even while a command that
  // set the wait cursor is still running.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
}

}  // namespace tarnwick
