// What a system without a window toolkit gives on Windows: the user's settings in the registry,
// INI files where a path is given, and the shell for URLs.
#include "apps/platform/PlainPlatform.h"
#include "print/Win32UrlOpener.h"
#include "ui/win32/Win32SettingsStore.h"

namespace tarnwick {
std::unique_ptr<SavedSettingsStore> PlainPlatform::OpenUserSettings() {
  return std::make_unique<Win32SettingsStore>();
}

std::unique_ptr<SavedSettingsStore> PlainPlatform::OpenSettingsFile(const std::string& path) {
  return OpenIniSettingsFile(path);
}

std::unique_ptr<UrlOpening> PlainPlatform::StartUrlOpening() {
  return std::make_unique<SelfContainedUrlOpening<Win32UrlOpener>>();
}

}  // namespace tarnwick
