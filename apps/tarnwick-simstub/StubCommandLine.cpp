#include "apps/tarnwick-simstub/StubCommandLine.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

namespace tarnwick {
namespace {

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
      ->check(CLI::Range(kMinZeroFuelWeightLbs, kMaxZeroFuelWeightLbs))
      ->capture_default_str();
  app.add_flag("--hang", options.server.hang, "Take requests and never answer them");
}

void AddXPlaneOptions(CLI::App& app, StubOptions& options) {
  app.add_flag("--xplane", options.xplane,
               "Play X-Plane's UDP data interface on 127.0.0.1 instead of the IPC server");
  app.add_option("--port", options.xplanePort, "X-Plane's UDP port")
      ->check(CLI::Range(1, 65535))
      ->capture_default_str();
  app.add_option("--payload-kg", options.xplaneSetup.payloadKg,
                 "X-Plane's payload, sim/flightmodel/weight/m_fixed, in kilograms")
      ->check(CLI::Range(-100000.0, 100000.0))
      ->capture_default_str();
  app.add_flag("--ignore-writes", options.xplaneSetup.ignoreWrites,
               "Log X-Plane's sets but keep the values, like an aircraft that runs its own fuel");
  app.add_flag("--silent", options.xplaneSetup.silent, "Play an X-Plane that never answers");
}

}  // namespace

StubCommandLine ParseStubCommandLine(int argc, const char* const* argv,
                                     std::string_view whereItServes) {
  CLI::App app("Substitute simulator for the Tarnwick simulator link", "tarnwick-simstub");
  StubOptions options;
  std::int64_t fsuipcVersion = options.setup.fsuipcVersion;
  AddOptions(app, options, fsuipcVersion);
  AddXPlaneOptions(app, options);
  app.footer(std::string(whereItServes) +
             "\nEach applied write is logged to standard output as\n"
             "  write 0x0B7C size 4 value 4194304\n"
             "and with --xplane each set as\n"
             "  dref sim/flightmodel/weight/m_fuel[0] 1099");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return StubExit{app.exit(error)};
  }
  // Versions up to 0xFFFFFFFF are taken as the 32 bits the server reports.
  options.setup.fsuipcVersion =
      static_cast<std::int32_t>(static_cast<std::uint32_t>(fsuipcVersion));
  return options;
}

}  // namespace tarnwick
