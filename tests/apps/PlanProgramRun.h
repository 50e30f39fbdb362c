#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace tarnwick {

struct PlanProgramResult {
  // The exit status, or -1 when the program did not exit normally.
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs the built tarnwick-plan with the arguments and waits for it to finish.
PlanProgramResult RunPlanProgram(const std::vector<std::string>& arguments);

// The JSON report of a run with --json added, which is expected to succeed.
nlohmann::json RunPlanProgramJson(const std::vector<std::string>& arguments);

}  // namespace tarnwick
