#include "apps/tarnwick-plan/RunPlan.h"

#include <chrono>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "apps/tarnwick-plan/PlanActions.h"
#include "apps/tarnwick-plan/PlanCommandLine.h"
#include "apps/tarnwick-plan/PlanJson.h"
#include "apps/tarnwick-plan/PlanSheet.h"
#include "apps/tarnwick-plan/PlanWindow.h"
#include "commands/PrintCommand.h"
#include "simlink/XPlaneLinkSettings.h"
#include "ui/ProgramInfo.h"
#include "ui/SettingsSaving.h"

namespace tarnwick {
namespace {

// How long --open serves the print site for a browser that does not come.
constexpr std::chrono::seconds kServeForBrowser{30};

std::string WebHostOf(const PlanOptions& options) {
  return options.webHost.value_or(kBuildWebHost);
}

std::string WebSiteBaseOf(const PlanOptions& options) {
  return "http://" + WebHostOf(options) + "/Tarnwick/";
}

std::vector<std::string> UrlsOf(const std::vector<UrlRequest>& requests) {
  std::vector<std::string> urls;
  for (const UrlRequest& request : requests) urls.push_back(request.url);
  return urls;
}

// A text on one line: each CR LF, CR or LF becomes a blank. Message box texts break their lines
// with CR LF, and a complaint may quote an argument that holds line breaks.
std::string OneLine(const std::string& text) {
  std::string line;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool lineBreak = text[at] == '\r' || text[at] == '\n';
    line += lineBreak ? ' ' : text[at];
    if (text.compare(at, 2, "\r\n") == 0) ++at;
  }
  return line;
}

class PlanRun {
 public:
  PlanRun(std::ostream& out, std::ostream& err, PlatformServices& platform)
      : out_(out), err_(err), platform_(platform) {}

  int ReportBadArguments(const std::string& message) {
    err_ << "tarnwick-plan: " << OneLine(message) << '\n';
    return kPlanExitBadArguments;
  }

  int MakePlan(const PlanOptions& options) {
    if (!options.storePath) {
      InMemorySettingsStore store;
      return MakePlan(options, store, [] { return true; });
    }
    // Opening the settings file may act already (one that cannot be read is copied aside), and
    // refused arguments must leave it as it is: they are checked beforehand.
    if (const auto error = CheckedOnEmptyStore(options)) return ReportBadArguments(*error);
    const std::unique_ptr<SavedSettingsStore> store =
        platform_.OpenSettingsFile(*options.storePath);
    if (!store) {
      return ReportBadArguments(
          "--store is not available in this build: it has no settings file (builds without Qt, "
          "other than the Windows build, keep the settings in memory only)");
    }
    if (const auto notice = store->SetAsideNotice())
      err_ << "tarnwick-plan: " << OneLine(*notice) << '\n';
    return MakePlan(options, *store, [this, &store] { return Save(*store); });
  }

 private:
  // Writes the settings file; when that fails, says where and why.
  bool Save(SavedSettingsStore& store) {
    if (store.Save()) return true;
    err_ << "tarnwick-plan: " << OneLine(SettingsNotWrittenText(store)) << '\n';
    return false;
  }

  // Names every URL the system refused to open; true when it refused none.
  bool ReportRefusedUrls(const std::vector<UrlRequest>& requests) {
    bool allAccepted = true;
    for (const UrlRequest& request : requests) {
      if (request.accepted) continue;
      err_ << "tarnwick-plan: the system did not open " << OneLine(request.url) << '\n';
      allAccepted = false;
    }
    return allAccepted;
  }

  // The link uses none of several X-Planes that announce themselves, and the pilot is only told
  // that it could not connect: which were heard is said here.
  void ReportXPlanesHeard(const std::vector<UdpEndpoint>& heard) {
    if (heard.size() < 2) return;
    err_ << "tarnwick-plan: more than one X-Plane announced itself (";
    for (std::size_t at = 0; at < heard.size(); ++at) {
      err_ << (at == 0 ? "" : ", ") << HostAndPortText(heard[at]);
    }
    err_ << "), so none was used; set TARNWICK_XPLANE_ADDRESS to the one to use\n";
  }

  // With --open, after the plan is out: the site keeps being served until a browser has
  // fetched the print page and its style sheet, or for kServeForBrowser at most. False when
  // the site could not be served at all.
  bool ServeForBrowser(PrintSite& site) {
    if (const auto failure = site.LastFailure()) {
      err_ << "tarnwick-plan: " << OneLine(SiteNotServedText(*failure)) << '\n';
      return false;
    }
    if (site.Serving() && !site.WaitUntilPageFetched(kServeForBrowser)) {
      err_ << "tarnwick-plan: no browser fetched the print page within " << kServeForBrowser.count()
           << " s; it is no longer served\n";
    }
    return true;
  }

  // The message of the first action that cannot be carried out, found on a window loaded from
  // an empty store that opens nothing and serves nothing. The pick lists and the buttons do
  // not depend on the store, so the check holds for the window of the run.
  std::optional<std::string> CheckedOnEmptyStore(const PlanOptions& options) {
    InMemorySettingsStore store;
    UrlRecorder opener;
    SiteServedElsewhere site;
    const std::unique_ptr<IpcPort> port = platform_.MakeIpcPort();
    const std::unique_ptr<XPlanePort> xplanePort = platform_.MakeXPlanePort();
    PlanWindow window(
        store, platform_.Format(),
        {*port, *xplanePort, platform_.XPlaneSettings(), site, opener, WebSiteBaseOf(options)});
    return ValidateActions(options.actions, window.Controls());
  }

  // Runs the window from load to unload. saveStore writes the settings out and says whether
  // that worked; it is not called when the arguments are refused. Without --open the print
  // command's URLs are only recorded and no site is served.
  template <typename SaveStore>
  int MakePlan(const PlanOptions& options, SettingsStore& store, SaveStore saveStore) {
    const auto systemOpening = options.open ? platform_.StartUrlOpening() : nullptr;
    UrlRecorder opener =
        systemOpening ? UrlRecorder::PassingOnTo(systemOpening->Opener()) : UrlRecorder();
    const std::unique_ptr<PrintSite> servedSite =
        options.open ? platform_.SiteFor(WebHostOf(options)) : nullptr;
    SiteServedElsewhere recordedOnly;
    SiteHost& site = servedSite ? static_cast<SiteHost&>(*servedSite) : recordedOnly;
    const std::unique_ptr<IpcPort> port = platform_.MakeIpcPort();
    const std::unique_ptr<XPlanePort> xplanePort = platform_.MakeXPlanePort();
    PlanWindow window(
        store, platform_.Format(),
        {*port, *xplanePort, platform_.XPlaneSettings(), site, opener, WebSiteBaseOf(options)});
    MainWindowControls& controls = window.Controls();
    if (const auto error = ValidateActions(options.actions, controls)) {
      return ReportBadArguments(*error);
    }
    ApplyActions(options.actions, controls);
    controls.frmMain.Unload();  // does nothing after a click on cmdExit
    const bool saved = saveStore();
    const std::vector<std::string> openedUrls = UrlsOf(opener.Requests());
    const std::vector<MessageBoxContent>& shown = window.Messages().Shown();
    out_ << (options.json ? PlanJson(controls, shown, openedUrls)
                          : PlanSheet(controls, shown, openedUrls));
    ReportXPlanesHeard(window.XPlane().XPlanesHeard());
    if (!saved) {
      err_ << "tarnwick-plan: could not write the settings file " << OneLine(*options.storePath)
           << '\n';
      return kPlanExitStoreNotWritten;
    }
    const bool allOpened = ReportRefusedUrls(opener.Requests());
    const bool served = !servedSite || ServeForBrowser(*servedSite);
    return allOpened && served ? kPlanExitMade : kPlanExitUrlRefused;
  }

  std::ostream& out_;
  std::ostream& err_;
  PlatformServices& platform_;
};

}  // namespace

int RunPlan(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
            PlatformServices& platform) {
  std::vector<const char*> argv{"tarnwick-plan"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  return RunPlan(ParsePlanCommandLine(static_cast<int>(argv.size()), argv.data()), out, err,
                 platform);
}

int RunPlan(const PlanCommandLine& commandLine, std::ostream& out, std::ostream& err,
            PlatformServices& platform) {
  PlanRun run(out, err, platform);
  if (const auto* help = std::get_if<PlanHelpRequest>(&commandLine)) {
    out << help->text;
    return kPlanExitMade;
  }
  if (const auto* error = std::get_if<PlanUsageError>(&commandLine)) {
    return run.ReportBadArguments(error->message);
  }
  return run.MakePlan(std::get<PlanOptions>(commandLine));
}

}  // namespace tarnwick
