#pragma once

#include <memory>
#include <string>

#include "apps/platform/SystemPlatform.h"

namespace tarnwick {

// A system without a window toolkit (tarnwick-plan's builds without Qt, the Windows one among
// them): "," groups digits and "." is the decimal point, message boxes are lines on the error
// stream, and there is no cursor to change. The settings and the URL opener are the system's
// (PlainPlatformPosix.cpp, PlainPlatformWin32.cpp).
class PlainPlatform final : public SystemPlatform {
 public:
  NumberFormat Format() override { return {.groupSeparator = ",", .decimalSeparator = "."}; }
  std::unique_ptr<SavedSettingsStore> OpenUserSettings() override;
  std::unique_ptr<SavedSettingsStore> OpenSettingsFile(const std::string& path) override;
  MessageBoxPresenter& Messages() override { return messages_; }
  WaitCursor& Wait() override { return waitCursor_; }
  std::unique_ptr<UrlOpening> StartUrlOpening() override;

 private:
  // A message box as one line on the error stream, its line breaks as blanks.
  class ErrorStreamMessages final : public MessageBoxPresenter {
   public:
    void Show(std::string_view text, std::string_view title, MessageBoxStyle style) override;
  };
  class NoWaitCursor final : public WaitCursor {
   public:
    void Show() override {}
    void End() override {}
  };

  ErrorStreamMessages messages_;
  NoWaitCursor waitCursor_;
};

}  // namespace tarnwick
