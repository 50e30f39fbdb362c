// The planner's system pieces in builds without Qt, such as the Windows build.
#include <iostream>

#include "apps/tarnwick-plan/PlanSystem.h"

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include "print/Win32UrlOpener.h"
#include "ui/win32/WideText.h"
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
  bool Save() override {
    if (store_.AllWritten()) return true;
    std::cerr << "tarnwick-plan: The settings could not be written to " << store_.Location() << ": "
              << store_.WriteFailureReason() << ".\n";
    return false;
  }

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

}  // namespace

NumberFormat PlanNumberFormat() { return {.groupSeparator = ",", .decimalSeparator = "."}; }

#ifdef _WIN32
std::vector<std::string> PlanArguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; wide != nullptr && i < count; ++i) arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}
#else
std::vector<std::string> PlanArguments(int argc, char** argv) { return {argv, argv + argc}; }
#endif

#ifdef _WIN32
std::unique_ptr<PlanStoreFile> OpenPlanStoreFile(const std::string& path) {
  return std::make_unique<Win32PlanStoreFile>(path);
}
#else
std::unique_ptr<PlanStoreFile> OpenPlanStoreFile(const std::string& /*path*/) { return nullptr; }
#endif

std::unique_ptr<PlanUrlOpening> StartPlanUrlOpening() {
  return std::make_unique<PlainPlanUrlOpening>();
}

}  // namespace tarnwick
