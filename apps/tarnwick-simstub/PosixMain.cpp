// tarnwick-simstub: a substitute simulator on the stand-in transport, or with --xplane a
// substitute X-Plane on UDP. It answers the planner's simulator link like the real server would,
// logs every write it applies to standard output, and runs until SIGINT or SIGTERM.
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <exception>
#include <iostream>
#include <variant>

#include "apps/tarnwick-simstub/StubCommandLine.h"
#include "apps/tarnwick-simstub/XPlaneStubRun.h"
#include "simlink/StandInTransport.h"
#include "simstub/PosixStubServer.h"

namespace {

int stopWriteEnd = -1;

extern "C" void RequestStop(int /*signal*/) {
  const char stop = 1;
  [[maybe_unused]] const ssize_t ignored = write(stopWriteEnd, &stop, 1);
}

// SIGINT and SIGTERM make the returned descriptor readable.
int InstallStopHandlers() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("cannot make a pipe");
  stopWriteEnd = ends[1];
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  return ends[0];
}

}  // namespace

int main(int argc, char** argv) {
  const tarnwick::StubCommandLine commandLine = tarnwick::ParseStubCommandLine(
      argc, argv,
      "Listens in $TARNWICK_IPC_DIR, else $XDG_RUNTIME_DIR/tarnwick-ipc, else "
      "/tmp/tarnwick-ipc-<uid>.");
  if (const auto* done = std::get_if<tarnwick::StubExit>(&commandLine)) return done->status;
  const auto& options = std::get<tarnwick::StubOptions>(commandLine);
  if (options.xplane) {
    const int stopFd = InstallStopHandlers();
    return tarnwick::RunXPlaneStub(options, [stopFd] {
      char stop = 0;
      return read(stopFd, &stop, 1) == 1;
    });
  }
  try {
    const auto logWrite = [](std::uint32_t offset, std::span<const std::byte> data) {
      std::cout << tarnwick::DescribeWrite(offset, data) << std::endl;
    };
    tarnwick::PosixStubServer server(tarnwick::StandInDirectory(), options.server, options.setup,
                                     logWrite);
    const int stopFd = InstallStopHandlers();
    std::cerr << "tarnwick-simstub: listening at " << server.SocketPath().string() << '\n';
    server.Serve(stopFd);
  } catch (const std::exception& error) {
    std::cerr << "tarnwick-simstub: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
