#pragma once

#include "apps/platform/SystemPlatform.h"
#include "ui/win32/Win32MessageBoxPresenter.h"
#include "ui/win32/Win32WaitCursor.h"

namespace tarnwick {

// Windows: the user's number format from the locale, the user's settings in the registry (INI
// files where a path is given), MessageBoxW, the hourglass, and the shell for URLs.
class Win32Platform final : public SystemPlatform {
 public:
  NumberFormat Format() override;
  std::unique_ptr<SavedSettingsStore> OpenUserSettings() override;
  std::unique_ptr<SavedSettingsStore> OpenSettingsFile(const std::string& path) override;
  MessageBoxPresenter& Messages() override { return messages_; }
  WaitCursor& Wait() override { return waitCursor_; }
  std::unique_ptr<UrlOpening> StartUrlOpening() override;

  // The message boxes, for the window that owns them.
  Win32MessageBoxPresenter& MessageBoxes() { return messages_; }

 private:
  Win32MessageBoxPresenter messages_;
  Win32WaitCursor waitCursor_;
};

}  // namespace tarnwick
