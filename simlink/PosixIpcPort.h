#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "simlink/IpcPort.h"
#include "simlink/StandInTransport.h"
#include "simlink/UniqueFd.h"

namespace tarnwick {

// The simulator link's calls on POSIX systems, through the stand-in transport (see
// StandInTransport.h). A window handle stands for a class's socket, and the connection found
// by the look-up is kept for the messages that follow. Only sockets in a directory that belongs
// to owner alone, served by a process of owner, are talked to; a mapping is a sealed memory
// file, so that the server can neither shrink nor grow it under the link's view.
class PosixIpcPort final : public IpcPort {
 public:
  explicit PosixIpcPort(std::filesystem::path directory, uid_t owner = getuid());
  ~PosixIpcPort() override;
  PosixIpcPort(const PosixIpcPort&) = delete;
  PosixIpcPort& operator=(const PosixIpcPort&) = delete;

  WindowHandle FindTopLevelWindow(const std::string& className) override;
  std::uint32_t RegisterMessage(const std::string& name) override;
  std::uint32_t CurrentProcessId() override;
  std::uint16_t AddGlobalAtom(const std::string& name) override;
  void DeleteGlobalAtom(std::uint16_t atom) override;
  MappingCreation CreateNamedMapping(const std::string& name, std::uint32_t size) override;
  std::byte* MapView(MappingHandle mapping) override;
  void UnmapView(std::byte* view) override;
  void CloseMapping(MappingHandle mapping) override;
  bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                       std::int32_t lParam, std::uint32_t timeoutMs,
                       std::uintptr_t& messageResult) override;
  std::uint32_t LastError() override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  struct Window {
    std::string className;
    UniqueFd connection;
  };
  struct Atom {
    std::string name;
    int references = 0;
  };
  struct Mapping {
    std::string name;
    UniqueFd memory;
    std::size_t size = 0;
  };
  using Deadline = std::chrono::steady_clock::time_point;

  bool Fail(int error);
  UniqueFd Connect(const std::string& className, Deadline deadline) const;
  bool ExchangeFrames(Window& window, const RequestFrame& request, Deadline deadline,
                      std::uintptr_t& messageResult);
  std::string AtomName(std::int32_t wParam) const;
  int MemoryNamed(const std::string& name) const;

  std::filesystem::path directory_;
  uid_t owner_;
  std::vector<Window> windows_;
  std::map<std::uint16_t, Atom> atoms_;
  std::map<MappingHandle, Mapping> mappings_;
  std::map<std::byte*, std::size_t> views_;
  MappingHandle nextMapping_ = 1;
  std::uint32_t nextSequence_ = 1;
  std::uint32_t lastError_ = 0;
};

}  // namespace tarnwick
