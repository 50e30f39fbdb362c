#pragma once

#include <cstdint>
#include <string_view>
#include <variant>

#include "simstub/StubServerOptions.h"
#include "simstub/SubstituteSimulator.h"
#include "simstub/XPlaneSubstitute.h"

namespace tarnwick {

// What the substitute simulator serves as and what it reports, the same on every system.
struct StubOptions {
  StubServerOptions server;
  SimulatorSetup setup;
  // Plays X-Plane on 127.0.0.1 at xplanePort instead of the IPC server.
  bool xplane = false;
  std::uint16_t xplanePort = 49000;
  XPlaneSubstituteSetup xplaneSetup;
};

// The program ends at once with this status: after --help, or a bad argument (the help or the
// error has been printed).
struct StubExit {
  int status = 0;
};

using StubCommandLine = std::variant<StubOptions, StubExit>;

// Reads tarnwick-simstub's command line. whereItServes is the help's note on how the server is
// found on this system.
StubCommandLine ParseStubCommandLine(int argc, const char* const* argv,
                                     std::string_view whereItServes);

}  // namespace tarnwick
