#pragma once

#include <poll.h>
#include <sys/types.h>

#include <atomic>
#include <chrono>
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
// out each batch of requests on its own value space and answers 1; any other message, and a
// batch whose area is not a sealed memory file of the full size, is answered 0 and changes
// nothing. Frames are served in order on each connection, and up to kMostConnections
// connections of this user are served side by side on the calling thread; a new one pushes out
// the one that has been quiet longest. When the process runs out of descriptors, accepting
// pauses for a moment instead of failing again and again.
class PosixStubServer {
 public:
  // Makes the directory (mode 0700) if needed and listens at <directory>/<class>. Throws
  // std::runtime_error with a readable reason when it cannot, for instance when another server
  // already listens there.
  PosixStubServer(std::filesystem::path directory, StubServerOptions options, SimulatorSetup setup,
                  WriteObserver onWrite);
  ~PosixStubServer();
  PosixStubServer(const PosixStubServer&) = delete;
  PosixStubServer& operator=(const PosixStubServer&) = delete;

  static constexpr std::size_t kMostConnections = 64;

  // Serves until stopFd becomes readable.
  void Serve(int stopFd);

  const std::filesystem::path& SocketPath() const { return socketPath_; }
  // How often the serving loop has woken up so far; it sleeps while nothing can be done.
  std::uint64_t Wakeups() const { return wakeups_.load(); }

 private:
  using Clock = std::chrono::steady_clock;
  struct Connection {
    UniqueFd socket;
    RequestFrameBytes frame{};
    std::size_t filled = 0;
    // The memory file that came with the frame being read.
    UniqueFd area;
    std::uint64_t lastActive = 0;
  };

  std::vector<pollfd> WaitingList(int stopFd, bool accepting) const;
  void AcceptConnections();
  void Keep(UniqueFd socket);
  bool ServeConnection(Connection& connection);
  bool AnswerFrame(Connection& connection);
  std::optional<std::uint32_t> Answer(const RequestFrame& request, int area);
  std::uint32_t CarryOutBatch(int area);

  StubServerOptions options_;
  std::filesystem::path socketPath_;
  UniqueFd listener_;
  SimulatorMemory memory_;
  WriteObserver onWrite_;
  std::vector<Connection> connections_;
  std::uint64_t activity_ = 0;
  Clock::time_point acceptingAgain_{};
  std::atomic<std::uint64_t> wakeups_ = 0;
};

}  // namespace tarnwick
