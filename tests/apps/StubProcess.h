#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick {

// tarnwick-simstub running in the background with the options, its standard output in a log
// file; stopped with SIGTERM when it goes.
class StubProcess {
 public:
  StubProcess(std::filesystem::path log, std::vector<std::string> options);
  ~StubProcess() { Stop(); }
  StubProcess(const StubProcess&) = delete;
  StubProcess& operator=(const StubProcess&) = delete;

  // Stops the stub; its exit status, -1 when it did not exit by itself.
  int Stop();
  // Waits for the stub to end by itself; its exit status.
  int Wait();
  std::vector<std::string> LogLines() const;

 private:
  std::filesystem::path log_;
  pid_t pid_ = 0;
  int exitStatus_ = -1;
};

// True once a window of the class answers in the stand-in transport's directory, within five
// seconds.
bool WaitForStubWindow(const std::filesystem::path& directory, const std::string& windowClass);

}  // namespace tarnwick
