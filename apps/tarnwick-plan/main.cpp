// tarnwick-plan: makes a plan with the main window's control model from command-line actions
// and prints it. Wiring only; see --help.
#include <chrono>
#include <iostream>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "apps/tarnwick-plan/PlanActions.h"
#include "apps/tarnwick-plan/PlanCommandLine.h"
#include "apps/tarnwick-plan/PlanJson.h"
#include "apps/tarnwick-plan/PlanSheet.h"
#include "apps/tarnwick-plan/PlanSystem.h"
#include "commands/PrintCommand.h"
#include "commands/SimulatorCommands.h"
#include "print/LocalSiteHost.h"
#include "simlink/IpcClient.h"
#include "simlink/SystemIpcPort.h"
#include "simlink/SystemXPlanePort.h"
#include "simlink/XPlaneClient.h"
#include "ui/MainWindow.h"
#include "ui/ProgramInfo.h"

namespace {

constexpr int kExitPlanMade = 0;
constexpr int kExitStoreNotWritten = 1;
constexpr int kExitBadArguments = 2;
constexpr int kExitUrlRefused = 3;
// How long --open serves the print site for a browser that does not come.
constexpr std::chrono::seconds kServeForBrowser{30};

int ReportBadArguments(const std::string& message) {
  std::cerr << "tarnwick-plan: " << message << '\n';
  return kExitBadArguments;
}

std::vector<std::string> UrlsOf(const std::vector<tarnwick::UrlRequest>& requests) {
  std::vector<std::string> urls;
  for (const tarnwick::UrlRequest& request : requests) urls.push_back(request.url);
  return urls;
}

// Names every URL the system refused to open; true when it refused none.
bool ReportRefusedUrls(const std::vector<tarnwick::UrlRequest>& requests) {
  bool allAccepted = true;
  for (const tarnwick::UrlRequest& request : requests) {
    if (request.accepted) continue;
    std::cerr << "tarnwick-plan: the system did not open " << request.url << '\n';
    allAccepted = false;
  }
  return allAccepted;
}

// A message box text on one line: each CR LF becomes a blank.
std::string OneLine(const std::string& text) {
  std::string line;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool lineBreak = text.compare(at, 2, "\r\n") == 0;
    line += lineBreak ? ' ' : text[at];
    if (lineBreak) ++at;
  }
  return line;
}

// With --open, after the plan is out: the site keeps being served until a browser has fetched
// the print page and its style sheet, or for kServeForBrowser at most. False when the site
// could not be served at all.
bool ServeForBrowser(tarnwick::LocalSiteHost& site) {
  if (const auto& failure = site.LastFailure()) {
    std::cerr << "tarnwick-plan: " << OneLine(tarnwick::SiteNotServedText(*failure)) << '\n';
    return false;
  }
  if (site.Port() != 0 && !site.WaitUntilPageFetched(kServeForBrowser)) {
    std::cerr << "tarnwick-plan: no browser fetched the print page within "
              << kServeForBrowser.count() << " s; it is no longer served\n";
  }
  return true;
}

// Runs the window from load to unload. saveStore writes the settings out and says whether
// that worked; it is not called when the arguments are refused. Without --open the print
// command's URLs are only recorded.
template <typename SaveStore>
int MakePlan(const tarnwick::PlanOptions& options, tarnwick::SettingsStore& store,
             SaveStore saveStore) {
  tarnwick::ProgramState state;
  tarnwick::MessageRecorder messages;
  const auto systemOpening = options.open ? tarnwick::StartPlanUrlOpening() : nullptr;
  tarnwick::UrlRecorder opener = systemOpening
                                     ? tarnwick::UrlRecorder::PassingOnTo(systemOpening->Opener())
                                     : tarnwick::UrlRecorder();
  const std::string webHost = options.webHost.value_or(tarnwick::kBuildWebHost);
  tarnwick::LocalSiteHost localSite(webHost);  // serves nothing before the first print
  tarnwick::SiteServedElsewhere recordedOnly;
  tarnwick::SiteHost& site =
      options.open ? static_cast<tarnwick::SiteHost&>(localSite) : recordedOnly;
  const std::unique_ptr<tarnwick::IpcPort> port = tarnwick::MakeSystemIpcPort();
  tarnwick::IpcClient link(*port);
  const std::unique_ptr<tarnwick::XPlanePort> xplanePort = tarnwick::MakeSystemXPlanePort();
  tarnwick::XPlaneClient xplane(*xplanePort, tarnwick::XPlaneLinkSettingsFromEnvironment());
  tarnwick::MainWindow window(
      state, {messages, store, tarnwick::PlanNumberFormat(), [&link] { link.LinkClose(); }});
  tarnwick::SimulatorCommands simulatorCommands(window, state, link, messages, &xplane);
  simulatorCommands.WireButtons();
  tarnwick::MainWindowControls& controls = window.Controls();
  tarnwick::WirePrintCommand(controls, {site, opener, messages},
                             "http://" + webHost + "/Tarnwick/");
  controls.frmMain.Show();
  if (const auto error = tarnwick::ValidateActions(options.actions, controls)) {
    return ReportBadArguments(*error);
  }
  tarnwick::ApplyActions(options.actions, controls);
  controls.frmMain.Unload();  // does nothing after a click on cmdExit
  const bool saved = saveStore();
  const std::vector<std::string> openedUrls = UrlsOf(opener.Requests());
  std::cout << (options.json ? tarnwick::PlanJson(controls, messages.Shown(), openedUrls)
                             : tarnwick::PlanSheet(controls, messages.Shown(), openedUrls));
  if (!saved) {
    std::cerr << "tarnwick-plan: could not write the settings file " << *options.storePath << '\n';
    return kExitStoreNotWritten;
  }
  const bool allOpened = ReportRefusedUrls(opener.Requests());
  const bool served = !options.open || ServeForBrowser(localSite);
  return allOpened && served ? kExitPlanMade : kExitUrlRefused;
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
  const std::vector<std::string> arguments = tarnwick::PlanArguments(argc, argv);
  std::vector<const char*> argumentTexts;
  for (const std::string& argument : arguments) argumentTexts.push_back(argument.c_str());
  const tarnwick::PlanCommandLine commandLine =
      tarnwick::ParsePlanCommandLine(static_cast<int>(argumentTexts.size()), argumentTexts.data());
  if (const auto* help = std::get_if<tarnwick::PlanHelpRequest>(&commandLine)) {
    std::cout << help->text;
    return kExitPlanMade;
  }
  if (const auto* error = std::get_if<tarnwick::PlanUsageError>(&commandLine)) {
    return ReportBadArguments(error->message);
  }
  return MakePlan(std::get<tarnwick::PlanOptions>(commandLine));
}
