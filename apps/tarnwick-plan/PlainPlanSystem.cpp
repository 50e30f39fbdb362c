// The planner's system in builds without Qt, such as the Windows build.
#include "apps/tarnwick-plan/BuiltPlanSystem.h"

#ifdef _WIN32
#include "print/Win32UrlOpener.h"
#include "ui/win32/Win32IniSettingsStore.h"
#endif

namespace tarnwick {
namespace {

#ifdef _WIN32
using SystemUrlOpener = Win32UrlOpener;
#else
// Without Qt there is nothing to hand a URL to on this system.
class SystemUrlOpener final : public UrlOpener {
 public:
  bool Open(const std::string& /*url*/) override { return false; }
};
#endif

#ifdef _WIN32
// The settings file through the system's profile calls, which write every value at once.
class Win32PlanStoreFile final : public PlanStoreFile {
 public:
  explicit Win32PlanStoreFile(const std::string& path) : store_(path) {}

  SettingsStore& Store() override { return store_; }
  bool Save() override { return store_.AllWritten(); }

 private:
  Win32IniSettingsStore store_;
};
#endif

class PlainPlanUrlOpening final : public PlanUrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  SystemUrlOpener opener_;
};

// "," groups digits and "." is the decimal point; --store files through the system's profile
// calls on Windows and none elsewhere.
class PlainPlanSystem final : public BuiltPlanSystem {
 public:
  NumberFormat Format() override { return {.groupSeparator = ",", .decimalSeparator = "."}; }
#ifdef _WIN32
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path,
                                               std::ostream& /*complaints*/) override {
    return std::make_unique<Win32PlanStoreFile>(path);
  }
#else
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& /*path*/,
                                               std::ostream& /*complaints*/) override {
    return nullptr;
  }
#endif
  std::unique_ptr<PlanUrlOpening> StartUrlOpening() override {
    return std::make_unique<PlainPlanUrlOpening>();
  }
};

}  // namespace

std::unique_ptr<PlanSystem> MakeBuiltPlanSystem() { return std::make_unique<PlainPlanSystem>(); }

}  // namespace tarnwick
