// tarnwick-plan: makes a plan with the main window's control model from command-line actions
// and prints it. Wiring only: the run is RunPlan on the platform this program was built for;
// see --help.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "apps/tarnwick-plan/PlanPlatform.h"
#include "apps/tarnwick-plan/ProgramArguments.h"
#include "apps/tarnwick-plan/RunPlan.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = tarnwick::ProgramArguments(argc, argv);
  const std::unique_ptr<tarnwick::PlatformServices> platform = tarnwick::MakePlanPlatform();
  return tarnwick::RunPlan(arguments, std::cout, std::cerr, *platform);
}
