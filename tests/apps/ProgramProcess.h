#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// Runs the program (the first of the words, a path) with the rest as its arguments, its
// standard output and error written to the two files, and waits for it to end. Its exit status,
// or -1 when it did not exit normally.
int RunProgramToFiles(const std::vector<std::string>& words, const std::filesystem::path& out,
                      const std::filesystem::path& err);

// A program started like RunProgramToFiles that runs on while the test goes on; killed when it
// goes while it still runs.
class BackgroundProgram {
 public:
  BackgroundProgram(const std::vector<std::string>& words, const std::filesystem::path& out,
                    const std::filesystem::path& err);
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;

  bool Running();
  // Asks the program to end as a console's user does: SIGTERM on POSIX, Ctrl+C on Windows (the
  // program has a console of its own, so that the event reaches it alone).
  void Interrupt();
  // Its exit status once it has ended; -1 when it did not exit normally, or was killed after
  // the patience ran out.
  int Wait(std::chrono::milliseconds patience = std::chrono::seconds(60));

 private:
  std::intptr_t process_ = 0;  // a process id on POSIX, a process handle on Windows
  std::optional<int> exitStatus_;
};

// The variable set in this process's environment, which the programs it starts inherit, for
// as long as this lives; then removed.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(std::string name, const std::string& value);
  ~ScopedEnvironmentVariable();
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::string name_;
};

}  // namespace tarnwick
