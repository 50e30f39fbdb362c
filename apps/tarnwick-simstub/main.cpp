// tarnwick-simstub: a substitute simulator on the stand-in transport. It answers the planner's
// simulator link like the real server would, logs every write it applies to standard output,
// and runs until SIGINT or SIGTERM.
#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdint>
#include <exception>
#include <iostream>

#include "simlink/StandInTransport.h"
#include "simlink/StubServer.h"

namespace {

int stopWriteEnd = -1;

extern "C" void RequestStop(int /*signal*/) {
  const char stop = 1;
  [[maybe_unused]] const ssize_t ignored = write(stopWriteEnd, &stop, 1);
}

struct StubOptions {
  tarnwick::StubServerOptions server;
  tarnwick::SimulatorSetup setup;
};

void AddOptions(CLI::App& app, StubOptions& options, std::int64_t& fsuipcVersion) {
  app.add_option("--class", options.server.windowClass, "Window class to serve as")
      ->check(CLI::IsMember({"UIPCMAIN", "FS98MAIN"}))
      ->capture_default_str();
  app.add_option("--fsuipc-version", fsuipcVersion,
                 "Server version reported at 0x3304 (decimal or 0x hexadecimal)")
      ->check(CLI::Range(std::int64_t{INT32_MIN}, std::int64_t{UINT32_MAX}))
      ->capture_default_str();
  app.add_option("--sim-version", options.setup.simVersionCode,
                 "Simulator version code, the lower half of 0x3308 (the upper half is 0xFADE)")
      ->capture_default_str();
  app.add_option("--zfw-lbs", options.setup.zeroFuelWeightLbs,
                 "Zero fuel weight in pounds; 0x3BFC holds it x 256")
      ->check(CLI::Range(tarnwick::kMinZeroFuelWeightLbs, tarnwick::kMaxZeroFuelWeightLbs))
      ->capture_default_str();
  app.add_flag("--hang", options.server.hang, "Take requests and never answer them");
  app.footer(
      "Listens in $TARNWICK_IPC_DIR, else $XDG_RUNTIME_DIR/tarnwick-ipc, else "
      "/tmp/tarnwick-ipc-<uid>.\nEach applied write is logged to standard output as\n"
      "  write 0x0B7C size 4 value 4194304");
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
  CLI::App app("Substitute simulator for the Tarnwick simulator link", "tarnwick-simstub");
  StubOptions options;
  std::int64_t fsuipcVersion = options.setup.fsuipcVersion;
  AddOptions(app, options, fsuipcVersion);
  CLI11_PARSE(app, argc, argv);
  // Versions up to 0xFFFFFFFF are taken as the 32 bits the server reports.
  options.setup.fsuipcVersion =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(fsuipcVersion));
  try {
    const auto logWrite = [](std::uint32_t offset, std::span<const std::byte> data) {
      std::cout << tarnwick::DescribeWrite(offset, data) << std::endl;
    };
    tarnwick::StubServer server(tarnwick::StandInDirectory(), options.server, options.setup,
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
