// tarnwick-simstub for Windows: a substitute simulator with a hidden window of the server's
// class, or with --xplane a substitute X-Plane on UDP. It answers the planner's simulator link like
// the real server would, logs every write it applies to standard output, and runs until Ctrl+C,
// Ctrl+Break, the console closes or the window gets WM_CLOSE.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <iostream>
#include <variant>

#include "apps/tarnwick-simstub/StubCommandLine.h"
#include "apps/tarnwick-simstub/XPlaneStubRun.h"
#include "simstub/Win32StubServer.h"

namespace {

std::atomic<bool> xplaneStopRequested{false};

BOOL WINAPI RequestXPlaneStop(DWORD /*event*/) {
  xplaneStopRequested = true;
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  const tarnwick::StubCommandLine commandLine = tarnwick::ParseStubCommandLine(
      argc, argv,
      "Serves as a hidden top-level window of the class, for programs of the same desktop (under "
      "Wine: of the same WINEPREFIX and wineserver).");
  if (const auto* done = std::get_if<tarnwick::StubExit>(&commandLine)) return done->status;
  const auto& options = std::get<tarnwick::StubOptions>(commandLine);
  if (options.xplane) {
    SetConsoleCtrlHandler(RequestXPlaneStop, TRUE);
    return tarnwick::RunXPlaneStub(options, [] { return xplaneStopRequested.load(); });
  }
  try {
    const auto logWrite = [](std::uint32_t offset, std::span<const std::byte> data) {
      std::cout << tarnwick::DescribeWrite(offset, data) << std::endl;
    };
    tarnwick::Win32StubServer server(options.server, options.setup, logWrite);
    std::cerr << "tarnwick-simstub: serving as window class " << options.server.windowClass << '\n';
    server.Serve();
  } catch (const std::exception& error) {
    std::cerr << "tarnwick-simstub: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
