// tarnwick-plan: makes a plan with the main window's control model from command-line actions
// and prints it. Wiring only; see --help.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "apps/tarnwick-plan/PlanSystem.h"
#include "apps/tarnwick-plan/RunPlan.h"
#include "simlink/SystemIpcPort.h"

namespace {

// The system this program was built for.
class BuiltPlanSystem final : public tarnwick::PlanSystem {
 public:
  tarnwick::NumberFormat Format() override { return tarnwick::PlanNumberFormat(); }
  std::unique_ptr<tarnwick::PlanStoreFile> OpenStoreFile(const std::string& path) override {
    return tarnwick::OpenPlanStoreFile(path);
  }
  std::unique_ptr<tarnwick::PlanUrlOpening> StartUrlOpening() override {
    return tarnwick::StartPlanUrlOpening();
  }
  std::unique_ptr<tarnwick::IpcPort> MakeIpcPort() override {
    return tarnwick::MakeSystemIpcPort();
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  BuiltPlanSystem system;
  return tarnwick::RunPlan(arguments, std::cout, std::cerr, system);
}
