#include "apps/platform/Win32Platform.h"

#include "print/Win32UrlOpener.h"
#include "ui/win32/Win32SettingsStore.h"
#include "ui/win32/Win32UserNumberFormat.h"

namespace tarnwick {
NumberFormat Win32Platform::Format() { return UserNumberFormat(); }

std::unique_ptr<SavedSettingsStore> Win32Platform::OpenUserSettings() {
  return std::make_unique<Win32SettingsStore>();
}

std::unique_ptr<SavedSettingsStore> Win32Platform::OpenSettingsFile(const std::string& path) {
  return OpenIniSettingsFile(path);
}

std::unique_ptr<UrlOpening> Win32Platform::StartUrlOpening() {
  return std::make_unique<SelfContainedUrlOpening<Win32UrlOpener>>();
}

}  // namespace tarnwick
