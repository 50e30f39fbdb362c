// tarnwick-plan: makes a plan with the main window's control model from command-line actions
// and prints it. Wiring only; see --help.
#include <iostream>
#include <memory>
#include <string>
#include <variant>

#include "apps/tarnwick-plan/PlanActions.h"
#include "apps/tarnwick-plan/PlanCommandLine.h"
#include "apps/tarnwick-plan/PlanJson.h"
#include "apps/tarnwick-plan/PlanSheet.h"
#include "apps/tarnwick-plan/PlanSystem.h"
#include "simlink/IpcClient.h"
#include "simlink/SimulatorCommands.h"
#include "simlink/SystemIpcPort.h"
#include "ui/MainWindow.h"

namespace {

constexpr int kExitPlanMade = 0;
constexpr int kExitStoreNotWritten = 1;
constexpr int kExitBadArguments = 2;

int ReportBadArguments(const std::string& message) {
  std::cerr << "tarnwick-plan: " << message << '\n';
  return kExitBadArguments;
}

// Runs the window from load to unload. saveStore writes the settings out and says whether
// that worked; it is not called when the arguments are refused.
template <typename SaveStore>
int MakePlan(const tarnwick::PlanOptions& options, tarnwick::SettingsStore& store,
             SaveStore saveStore) {
  tarnwick::ProgramState state;
  tarnwick::MessageRecorder messages;
  const std::unique_ptr<tarnwick::IpcPort> port = tarnwick::MakeSystemIpcPort();
  tarnwick::IpcClient link(*port);
  tarnwick::MainWindow window(
      state, {messages, store, tarnwick::PlanNumberFormat(), [&link] { link.LinkClose(); }});
  tarnwick::SimulatorCommands simulatorCommands(window, state, link, messages);
  simulatorCommands.WireButtons();
  tarnwick::MainWindowControls& controls = window.Controls();
  controls.frmMain.Show();
  if (const auto error = tarnwick::ValidateActions(options.actions, controls)) {
    return ReportBadArguments(*error);
  }
  tarnwick::ApplyActions(options.actions, controls);
  controls.frmMain.Unload();  // does nothing after a click on cmdExit
  const bool saved = saveStore();
  std::cout << (options.json ? tarnwick::PlanJson(controls, messages.Shown())
                             : tarnwick::PlanSheet(controls, messages.Shown()));
  if (!saved) {
    std::cerr << "tarnwick-plan: could not write the settings file " << *options.storePath << '\n';
    return kExitStoreNotWritten;
  }
  return kExitPlanMade;
}

int MakePlan(const tarnwick::PlanOptions& options) {
  if (!options.storePath) {
    tarnwick::InMemorySettingsStore store;
    return MakePlan(options, store, [] { return true; });
  }
  const std::unique_ptr<tarnwick::PlanStoreFile> file =
      tarnwick::OpenPlanStoreFile(*options.storePath);
  if (!file) {
    return ReportBadArguments(
        "--store is not available in this build: it has no settings file (builds without Qt, "
        "such as the Windows build, keep the settings in memory only)");
  }
  return MakePlan(options, file->Store(), [&file] { return file->Save(); });
}

}  // namespace

int main(int argc, char** argv) {
  const tarnwick::PlanCommandLine commandLine = tarnwick::ParsePlanCommandLine(argc, argv);
  if (const auto* help = std::get_if<tarnwick::PlanHelpRequest>(&commandLine)) {
    std::cout << help->text;
    return kExitPlanMade;
  }
  if (const auto* error = std::get_if<tarnwick::PlanUsageError>(&commandLine)) {
    return ReportBadArguments(error->message);
  }
  return MakePlan(std::get<tarnwick::PlanOptions>(commandLine));
}
