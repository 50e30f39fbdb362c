#pragma once

#include <string>

namespace tarnwick {

// How a substitute simulator serves, on any system.
struct StubServerOptions {
  std::string windowClass = "UIPCMAIN";
  // Takes requests and never answers them, like a simulator that hangs.
  bool hang = false;
};

}  // namespace tarnwick
