#include "PlanProgramRun.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "TemporaryDirectory.h"

extern char** environ;

namespace tarnwick {
namespace {

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Output goes to files rather than pipes so that a large report cannot block the program.
void RedirectTo(posix_spawn_file_actions_t& actions, int descriptor,
                const std::filesystem::path& path) {
  posix_spawn_file_actions_addopen(&actions, descriptor, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
}

}  // namespace

PlanProgramResult RunPlanProgram(const std::vector<std::string>& arguments) {
  const TemporaryDirectory outputs;
  std::vector<std::string> argumentTexts{TARNWICK_PLAN_PROGRAM};
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : argumentTexts) argv.push_back(text.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  RedirectTo(actions, STDOUT_FILENO, outputs.Path() / "out");
  RedirectTo(actions, STDERR_FILENO, outputs.Path() / "err");
  pid_t child = 0;
  const int spawnError = posix_spawn(&child, argv.front(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) throw std::runtime_error("cannot start " TARNWICK_PLAN_PROGRAM);

  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(outputs.Path() / "out"),
          ReadWholeFile(outputs.Path() / "err")};
}

nlohmann::json RunPlanProgramJson(const std::vector<std::string>& arguments) {
  std::vector<std::string> withJson{"--json"};
  withJson.insert(withJson.end(), arguments.begin(), arguments.end());
  const PlanProgramResult result = RunPlanProgram(withJson);
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  return nlohmann::json::parse(result.out);
}

}  // namespace tarnwick
