#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "simlink/StandInTransport.h"
#include "simlink/UniqueFd.h"
#include "simstub/StubServerOptions.h"
#include "simstub/SubstituteSimulator.h"

namespace tarnwick {

// A substitute simulator on the stand-in transport: it listens as the server's window, carries
// out each batch of requests on its own value space and answers 1; any other message is
// answered 0 and changes nothing. Frames are served in order on each connection, and any
// number of connections are served side by side on the calling thread.
class StubServer {
 public:
  // Makes the directory (mode 0700) if needed and listens at <directory>/<class>. Throws
  // std::runtime_error with a readable reason when it cannot, for instance when another server
  // already listens there.
  StubServer(std::filesystem::path directory, StubServerOptions options, SimulatorSetup setup,
             WriteObserver onWrite);
  ~StubServer();
  StubServer(const StubServer&) = delete;
  StubServer& operator=(const StubServer&) = delete;

  // Serves until stopFd becomes readable.
  void Serve(int stopFd);

  const std::filesystem::path& SocketPath() const { return socketPath_; }

 private:
  struct Connection {
    UniqueFd socket;
    RequestFrameBytes frame{};
    std::size_t filled = 0;
  };

  void AcceptConnections();
  bool ServeConnection(Connection& connection);
  bool AnswerFrame(Connection& connection);
  std::optional<std::uint32_t> Answer(const RequestFrame& request);
  std::uint32_t CarryOutBatch(const std::string& mappingName);
  std::span<std::byte> MapArea(const std::string& objectName);
  void UnmapArea();

  StubServerOptions options_;
  std::filesystem::path socketPath_;
  UniqueFd listener_;
  SimulatorMemory memory_;
  WriteObserver onWrite_;
  std::vector<Connection> connections_;
  // The request area of the last batch stays mapped for the next one, as long as the name still
  // opens the same object.
  struct MappedArea {
    std::string objectName;
    dev_t device = 0;
    ino_t inode = 0;
    void* view = nullptr;
  };
  MappedArea area_;
};

}  // namespace tarnwick
