#include "StubProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "simlink/StandInTransport.h"

extern char** environ;

namespace tarnwick {

StubProcess::StubProcess(std::filesystem::path log, std::vector<std::string> options)
    : log_(std::move(log)) {
  options.insert(options.begin(), TARNWICK_SIMSTUB_PROGRAM);
  std::vector<char*> argv;
  for (std::string& option : options) argv.push_back(option.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log_.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int error = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " TARNWICK_SIMSTUB_PROGRAM);
}

int StubProcess::Stop() {
  if (pid_ > 0) kill(pid_, SIGTERM);
  return Wait();
}

int StubProcess::Wait() {
  if (pid_ <= 0) return exitStatus_;
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = 0;
  exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return exitStatus_;
}

std::vector<std::string> StubProcess::LogLines() const {
  std::ifstream file(log_);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

bool WaitForStubWindow(const std::filesystem::path& directory, const std::string& windowClass) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (
      !ConnectToWindowSocket(directory / windowClass, std::chrono::steady_clock::now()).IsValid()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace tarnwick
