#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "apps/tarnwick-plan/PlanAction.h"

namespace tarnwick {

// What the user asked the planner to do.
struct PlanOptions {
  // In the order given, across all four action options.
  std::vector<PlanAction> actions;
  // The INI file read at start and written at the end; none keeps the settings in memory.
  std::optional<std::string> storePath;
  bool json = false;
  // Open the print page with the system's browser instead of only recording its URL.
  bool open = false;
  // The web site's host:port in place of the one built in: the print URL points there, and
  // --open serves the site there.
  std::optional<std::string> webHost;
};

struct PlanHelpRequest {
  std::string text;
};

// Arguments that do not make a run; the message is one line.
struct PlanUsageError {
  std::string message;
};

using PlanCommandLine = std::variant<PlanOptions, PlanHelpRequest, PlanUsageError>;

PlanCommandLine ParsePlanCommandLine(int argc, const char* const* argv);

}  // namespace tarnwick
