// The planner's system in builds without Qt, such as the Windows build.
#include "apps/tarnwick-plan/BuiltPlanSystem.h"

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include "print/Win32UrlOpener.h"
#include "ui/win32/WideText.h"
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

class PlainPlanUrlOpening final : public PlanUrlOpening {
 public:
  UrlOpener& Opener() override { return opener_; }

 private:
  SystemUrlOpener opener_;
};

// "," groups digits and "." is the decimal point; --store files on Windows and none elsewhere.
class PlainPlanSystem final : public BuiltPlanSystem {
 public:
  NumberFormat Format() override { return {.groupSeparator = ",", .decimalSeparator = "."}; }
#ifdef _WIN32
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path,
                                               std::ostream& complaints) override {
    return OpenIniStoreFile(path, complaints);
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

#ifdef _WIN32
std::vector<std::string> ProgramArguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}
#else
std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return {argv + (argc > 0 ? 1 : 0), argv + argc};
}
#endif

}  // namespace tarnwick
