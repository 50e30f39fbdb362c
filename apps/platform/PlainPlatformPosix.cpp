// What a system without a window toolkit gives on POSIX: the user's settings where the Qt build
// keeps them, no other settings files, and nothing to hand a URL to.
#include "apps/platform/PlainPlatform.h"
#include "ui/SettingsFiles.h"
#include "ui/WindowSettings.h"

namespace tarnwick {
namespace {

class NoUrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string& /*url*/) override { return false; }
};

}  // namespace

std::unique_ptr<SavedSettingsStore> PlainPlatform::OpenUserSettings() {
  return OpenIniSettingsFile(UserSettingsPath(kSettingsApplication));
}

std::unique_ptr<SavedSettingsStore> PlainPlatform::OpenSettingsFile(const std::string& /*path*/) {
  return nullptr;
}

std::unique_ptr<UrlOpening> PlainPlatform::StartUrlOpening() {
  return std::make_unique<SelfContainedUrlOpening<NoUrlOpener>>();
}

}  // namespace tarnwick
