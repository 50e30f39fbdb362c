#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ProgramProcess.h"

namespace tarnwick {

// The lines of a text file, without their line ends (LF, or CR LF from a Windows program).
std::vector<std::string> FileLines(const std::filesystem::path& file);

// tarnwick-simstub running in the background with the options: its standard output (the log of
// what it was sent) in a file, its standard error in the same file with ".err" added. Stopped
// as a console's user stops it when it goes.
class StubProcess {
 public:
  StubProcess(const std::filesystem::path& log, std::vector<std::string> options);
  ~StubProcess() { Stop(); }
  StubProcess(const StubProcess&) = delete;
  StubProcess& operator=(const StubProcess&) = delete;

  // True once the stub has said that it serves (its window, socket or UDP port exists), false
  // when it ended first or did not say so within a minute (Wine may be slow to start).
  bool WaitUntilServing();
  // Stops the stub (Ctrl+C on Windows, SIGTERM on POSIX); its exit status, -1 when it did not
  // end by itself.
  int Stop();
  // Waits for the stub to end by itself; its exit status.
  int Wait() { return program_.Wait(); }
  std::vector<std::string> LogLines() const { return FileLines(log_); }
  std::vector<std::string> ErrorLines() const { return FileLines(errors_); }

 private:
  std::filesystem::path log_;
  std::filesystem::path errors_;
  BackgroundProgram program_;
};

// The filling level that the stub's log shows written to the left main tank and then the same
// to the right one; nothing when the log shows other tank writes.
std::optional<long> LevelWrittenToBothTanks(const std::vector<std::string>& log);

}  // namespace tarnwick
