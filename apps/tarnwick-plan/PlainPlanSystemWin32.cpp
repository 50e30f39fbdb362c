// What the Windows build takes from Windows: the shell opens URLs, and --store files are INI
// files.
#include "apps/tarnwick-plan/PlainPlanSystem.h"
#include "print/Win32UrlOpener.h"

namespace tarnwick {

std::unique_ptr<UrlOpener> MakePlainUrlOpener() { return std::make_unique<Win32UrlOpener>(); }

std::unique_ptr<PlanStoreFile> OpenPlainStoreFile(const std::string& path,
                                                  std::ostream& complaints) {
  return OpenIniStoreFile(path, complaints);
}

}  // namespace tarnwick
