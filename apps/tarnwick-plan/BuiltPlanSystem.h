#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "apps/tarnwick-plan/PlanSystem.h"

namespace tarnwick {

// What every build of the program takes from its system alike: the print site served on the
// web host's loopback address, the system's IPC port and sockets, and X-Plane's address from
// TARNWICK_XPLANE_ADDRESS. The rest differs by build (QtPlanSystem.cpp, PlainPlanSystem.cpp and
// the file of its system).
class BuiltPlanSystem : public PlanSystem {
 public:
  std::unique_ptr<PlanSite> SiteFor(std::string_view webHost) override;
  std::unique_ptr<IpcPort> MakeIpcPort() override;
  std::unique_ptr<XPlanePort> MakeXPlanePort() override;
  XPlaneLinkSettings XPlaneSettings() override;
};

// --store's INI file: its set-aside notice and a failed save go to complaints.
std::unique_ptr<PlanStoreFile> OpenIniStoreFile(const std::string& path, std::ostream& complaints);

// The system this program was built for.
std::unique_ptr<PlanSystem> MakeBuiltPlanSystem();

// The program's arguments after its name, in UTF-8. Windows hands main() its arguments in the
// ANSI code page, which cannot hold every character, so the Windows build reads them from the
// wide command line instead (ProgramArgumentsPosix.cpp, ProgramArgumentsWin32.cpp).
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace tarnwick
