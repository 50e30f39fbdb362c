#pragma once

#include "apps/platform/SystemPlatform.h"
#include "ui/qt/QtMessageBoxPresenter.h"
#include "ui/qt/QtWaitCursor.h"

namespace tarnwick {

// Linux with Qt: the user's number format from QLocale, the settings in INI files (the user's
// where QSettings kept them), Qt's message boxes and override cursor, and Qt's desktop services
// for URLs.
class QtPlatform final : public SystemPlatform {
 public:
  NumberFormat Format() override;
  std::unique_ptr<SavedSettingsStore> OpenUserSettings() override;
  std::unique_ptr<SavedSettingsStore> OpenSettingsFile(const std::string& path) override;
  MessageBoxPresenter& Messages() override { return messages_; }
  WaitCursor& Wait() override { return waitCursor_; }
  // Starts a Qt GUI application for the desktop services when the program has none.
  std::unique_ptr<UrlOpening> StartUrlOpening() override;

  // The message boxes, for the window that owns them.
  QtMessageBoxPresenter& MessageBoxes() { return messages_; }

 private:
  QtMessageBoxPresenter messages_;
  QtWaitCursor waitCursor_;
};

}  // namespace tarnwick
