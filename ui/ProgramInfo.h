#pragma once

#include <string>
#include <string_view>

#include "ui/BuildConfig.h"

namespace tarnwick {

inline constexpr std::string_view kProgramName = "Tarnwick";

struct ProgramVersion {
  int major;
  int minor;
  int revision;
};

inline constexpr ProgramVersion kProgramVersion{kBuildVersionMajor, kBuildVersionMinor,
                                                kBuildVersionRevision};

// The program's web site: "http://", the host the build was configured with, "/Tarnwick/".
inline std::string WebSiteBase() { return "http://" + std::string(kBuildWebHost) + "/Tarnwick/"; }

}  // namespace tarnwick
