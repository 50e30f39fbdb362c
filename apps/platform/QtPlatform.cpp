#include "apps/platform/QtPlatform.h"

#include "apps/platform/DesktopSession.h"
#include "print/QtUrlOpener.h"
#include "ui/SettingsFiles.h"
#include "ui/WindowSettings.h"
#include "ui/qtsystem/QtUserNumberFormat.h"

namespace tarnwick {
namespace {

class QtUrlOpening final : public UrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  std::unique_ptr<QGuiApplication> session_ =
      QCoreApplication::instance() == nullptr ? StartDesktopSession() : nullptr;
  QtUrlOpener opener_;
};

}  // namespace

NumberFormat QtPlatform::Format() { return UserNumberFormat(); }

std::unique_ptr<SavedSettingsStore> QtPlatform::OpenUserSettings() {
  return OpenIniSettingsFile(UserSettingsPath(kSettingsApplication));
}

std::unique_ptr<SavedSettingsStore> QtPlatform::OpenSettingsFile(const std::string& path) {
  return OpenIniSettingsFile(path);
}

std::unique_ptr<UrlOpening> QtPlatform::StartUrlOpening() {
  return std::make_unique<QtUrlOpening>();
}

}  // namespace tarnwick
