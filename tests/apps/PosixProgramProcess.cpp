#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <stdexcept>
#include <thread>

#include "ProgramProcess.h"

extern char** environ;

namespace tarnwick {
namespace {

// Output goes to files rather than pipes so that a large report cannot block the program.
void RedirectTo(posix_spawn_file_actions_t& actions, int descriptor,
                const std::filesystem::path& path) {
  posix_spawn_file_actions_addopen(&actions, descriptor, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
}

pid_t Start(const std::vector<std::string>& words, const std::filesystem::path& out,
            const std::filesystem::path& err) {
  std::vector<std::string> texts = words;
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  RedirectTo(actions, STDOUT_FILENO, out);
  RedirectTo(actions, STDERR_FILENO, err);
  pid_t child = 0;
  const int spawnError = posix_spawn(&child, argv.front(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) throw std::runtime_error("cannot start " + words.front());
  return child;
}

int ExitStatus(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

}  // namespace

int RunProgramToFiles(const std::vector<std::string>& words, const std::filesystem::path& out,
                      const std::filesystem::path& err) {
  int status = 0;
  waitpid(Start(words, out, err), &status, 0);
  return ExitStatus(status);
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& words,
                                     const std::filesystem::path& out,
                                     const std::filesystem::path& err)
    : process_(Start(words, out, err)) {}

BackgroundProgram::~BackgroundProgram() {
  if (Running()) kill(static_cast<pid_t>(process_), SIGKILL);
  Wait();
}

bool BackgroundProgram::Running() {
  if (exitStatus_) return false;
  int status = 0;
  if (waitpid(static_cast<pid_t>(process_), &status, WNOHANG) == 0) return true;
  exitStatus_ = ExitStatus(status);
  return false;
}

void BackgroundProgram::Interrupt() {
  if (Running()) kill(static_cast<pid_t>(process_), SIGTERM);
}

int BackgroundProgram::Wait(std::chrono::milliseconds patience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (Running() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (Running()) {
    kill(static_cast<pid_t>(process_), SIGKILL);
    waitpid(static_cast<pid_t>(process_), nullptr, 0);
    exitStatus_ = -1;
  }
  return *exitStatus_;
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::string name, const std::string& value)
    : name_(std::move(name)) {
  setenv(name_.c_str(), value.c_str(), 1);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() { unsetenv(name_.c_str()); }

}  // namespace tarnwick
