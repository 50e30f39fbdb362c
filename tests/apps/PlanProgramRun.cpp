#include "PlanProgramRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ProgramProcess.h"
#include "TemporaryDirectory.h"

namespace tarnwick {
namespace {

// Read as text: on Windows the program's line ends come back as "\n".
std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

PlanProgramResult RunPlanProgram(const std::vector<std::string>& arguments) {
  const TemporaryDirectory outputs;
  std::vector<std::string> words{TARNWICK_PLAN_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  const int status = RunProgramToFiles(words, outputs.Path() / "out", outputs.Path() / "err");
  return {status, ReadWholeFile(outputs.Path() / "out"), ReadWholeFile(outputs.Path() / "err")};
}

nlohmann::json RunPlanProgramJson(const std::vector<std::string>& arguments) {
  std::vector<std::string> withJson{"--json"};
  withJson.insert(withJson.end(), arguments.begin(), arguments.end());
  const PlanProgramResult result = RunPlanProgram(withJson);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  return nlohmann::json::parse(result.out);
}

}  // namespace tarnwick
