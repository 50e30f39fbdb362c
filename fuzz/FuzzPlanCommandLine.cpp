// An arbitrary argument vector for tarnwick-plan, run in process through RunPlan on a system of
// stand-ins that touches nothing outside the process (settings files in a map, URLs only
// recorded, the print site served nowhere, the simulator a substitute behind the fake port).
//
// The input's first byte picks how that system behaves (see SystemChoice); the rest, split at
// NUL bytes, is the argument vector after the program's name.
//
// Properties: the exit status is 0, 1, 2 or 3, each for its own reason; with 2 nothing is
// applied (nothing printed, no settings file written or changed, no URL opened, no site
// served, nothing sent to the simulator) and one line says why; otherwise the plan is printed,
// and with --json it is one JSON object of "controls", "messages" and "opened".
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "apps/platform/StandInPlatform.h"
#include "apps/tarnwick-plan/PlanCommandLine.h"
#include "apps/tarnwick-plan/RunPlan.h"
#include "fuzz/FuzzRequire.h"

namespace tarnwick {
namespace {

// The bits of the input's first byte.
enum SystemChoice : std::uint8_t {
  kRefusesUrls = 1U << 0U,
  kNoStoreFiles = 1U << 1U,
  kNoSimulator = 1U << 2U,  // no IPC server: the link looks for X-Plane, which is there
  kNoBrowser = 1U << 3U,    // nobody fetches the print page
  kCommaDecimal = 1U << 4U,
  kPortTaken = 1U << 5U,  // another program listens on the built-in web host's port 8642
  kStoreExists = 1U << 6U,
};

void SetUp(StandInPlatform& system, std::uint8_t choice) {
  system.ipc.keepsSentAreas = false;  // only whether anything was sent counts here
  system.urlsAccepted = (choice & kRefusesUrls) == 0;
  system.hasStoreFiles = (choice & kNoStoreFiles) == 0;
  if ((choice & kNoSimulator) != 0) system.ipc.windowClasses.clear();
  system.browserFetches = (choice & kNoBrowser) == 0;
  if ((choice & kCommaDecimal) != 0)
    system.format = {.groupSeparator = ".", .decimalSeparator = ","};
  if ((choice & kPortTaken) != 0) system.takenPorts.insert(8642);
  if ((choice & kStoreExists) != 0) {
    system.files["plan.ini"][{"Tarnwick", "Settings", "Payload"}] = "&H8000";
    system.files["plan.ini"][{"Tarnwick", "Settings", "Units"}] = "0";
  }
}

std::vector<std::string> Arguments(std::string_view input) {
  std::vector<std::string> arguments;
  if (input.empty()) return arguments;
  while (true) {
    const std::size_t end = input.find('\0');
    arguments.emplace_back(input.substr(0, end));
    if (end == std::string_view::npos) return arguments;
    input.remove_prefix(end + 1);
  }
}

bool IsOneExplainingLine(const std::string& err) {
  return err.starts_with("tarnwick-plan: ") && err.find('\n') == err.size() - 1 &&
         err.find('\r') == std::string::npos;
}

struct Run {
  int status;
  std::string out;
  std::string err;
};

void CheckNothingApplied(const Run& run, const StandInPlatform& system,
                         const decltype(StandInPlatform::files)& filesBefore) {
  Require(run.out.empty(), "a refused run prints nothing");
  Require(IsOneExplainingLine(run.err), "a refused run says why in one line");
  Require(system.saves == 0 && system.files == filesBefore,
          "a refused run writes no settings file");
  Require(system.urlsOffered.empty() && system.sitesStarted == 0,
          "a refused run opens nothing and serves nothing");
  Require(system.ipc.sent.empty() && system.xplane.sent.empty(),
          "a refused run sends nothing to the simulator");
}

// The URLs as --json prints them: any bytes that are not UTF-8 show as U+FFFD there.
nlohmann::json AsPrinted(const std::vector<std::string>& urls) {
  return nlohmann::json::parse(
      nlohmann::json(urls).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

void CheckJson(const std::string& out, const StandInPlatform& system, bool open) {
  const nlohmann::json plan = nlohmann::json::parse(out, nullptr, false);
  Require(!plan.is_discarded(), "--json prints valid JSON");
  Require(plan.is_object() && plan.size() == 3 && plan.contains("controls") &&
              plan["controls"].is_object() && plan.contains("messages") &&
              plan["messages"].is_array() && plan.contains("opened") && plan["opened"].is_array(),
          "--json prints one object of controls, messages and opened");
  for (const nlohmann::json& url : plan["opened"]) {
    Require(url.is_string(), "an opened URL is a string");
  }
  if (open) {
    Require(plan["opened"] == AsPrinted(system.urlsOffered),
            "--json lists every URL handed to the system");
  }
}

void CheckPlanMade(const PlanOptions& options, const Run& run, const StandInPlatform& system) {
  Require(!run.out.empty(), "a run that is not refused prints the plan");
  if (options.json) CheckJson(run.out, system, options.open);
  const bool saveFailed = options.storePath && !system.Writable(*options.storePath);
  if (options.storePath) {
    Require(system.saves == 1, "a run with --store writes its file once");
    Require(saveFailed || system.files.at(*options.storePath).size() == 16,
            "the settings file holds the sixteen keys");
  }
  Require((run.status == kPlanExitStoreNotWritten) == saveFailed,
          "status 1 exactly when the settings file could not be written");
  if (!options.open) {
    Require(system.openingsStarted == 0 && system.sitesMade.empty(),
            "without --open no URL goes to the system and no site is served");
  }
  const bool urlRefused = !system.urlsAccepted && !system.urlsOffered.empty();
  const bool refusedByTheSystem = urlRefused || system.sitesRefused > 0;
  if (!saveFailed) {
    Require((run.status == kPlanExitUrlRefused) == refusedByTheSystem,
            "status 3 exactly when the site could not be served or a URL was refused");
  }
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  if (size == 0) return 0;
  StandInPlatform system;
  SetUp(system, data[0]);
  const auto filesBefore = system.files;
  const std::vector<std::string> arguments =
      Arguments(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));

  std::vector<const char*> argv{"tarnwick-plan"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  // Parsed once here, for the properties, and the run takes the same parse.
  const PlanCommandLine commandLine =
      ParsePlanCommandLine(static_cast<int>(argv.size()), argv.data());

  std::ostringstream out;
  std::ostringstream err;
  const Run run{RunPlan(commandLine, out, err, system), out.str(), err.str()};
  Require(run.status >= kPlanExitMade && run.status <= kPlanExitUrlRefused,
          "the exit status is 0, 1, 2 or 3");

  if (const auto* help = std::get_if<PlanHelpRequest>(&commandLine)) {
    Require(run.status == kPlanExitMade && run.out == help->text && run.err.empty(),
            "--help prints the help and exits with 0");
    Require(system.ipcPortsMade == 0, "--help makes no plan");
  } else if (run.status == kPlanExitBadArguments) {
    CheckNothingApplied(run, system, filesBefore);
  } else {
    Require(std::holds_alternative<PlanOptions>(commandLine),
            "arguments that do not parse give status 2");
    CheckPlanMade(std::get<PlanOptions>(commandLine), run, system);
  }
  return 0;
}
