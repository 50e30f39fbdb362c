#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <string_view>

#include "ui/MessageBoxPresenter.h"

namespace tarnwick {

// The icon of a message box style: none, error, warning or information.
QMessageBox::Icon IconForStyle(MessageBoxStyle style);

// A message text with its CR LF line breaks as the line breaks Qt shows.
QString MessageBoxText(std::string_view text);

// Message boxes through QMessageBox: modal, one OK button, centred over the parent window.
class QtMessageBoxPresenter final : public MessageBoxPresenter {
 public:
  // The window the boxes belong to; without one they stand alone, modal all the same.
  void SetParentWindow(QWidget* parent) { parent_ = parent; }

  void Show(std::string_view text, std::string_view title, MessageBoxStyle style) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace tarnwick
