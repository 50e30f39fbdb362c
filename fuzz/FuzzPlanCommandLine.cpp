// An arbitrary argument vector for tarnwick-plan, the input split at NUL bytes, run in process
// on a system of stand-ins: the settings file of --store lives in memory (its writing fails
// when the path ends in "/"), --open hands URLs to an opener that refuses every second one,
// and the simulator link reaches a substitute simulator through the fake port, which only
// records its sleeps. Nothing opens a browser or touches a file.
//
// Properties: the exit status is 0, 1, 2 or 3, each for its own reason; with 2 nothing is
// applied (nothing printed, no settings written, no URL opened, nothing sent to the
// simulator) and one line explains it; otherwise the plan is printed, and with --json it is one
// JSON object of "controls", "messages" and "opened" that lists every URL handed to the opener.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "apps/tarnwick-plan/PlanCommandLine.h"
#include "apps/tarnwick-plan/PlanSystem.h"
#include "apps/tarnwick-plan/RunPlan.h"
#include "fuzz/FuzzRequire.h"
#include "simstub/FakeIpcPort.h"

namespace tarnwick {
namespace {

// What the stand-ins saw during one run.
struct SystemRecord {
  int storesOpened = 0;
  int saves = 0;
  std::size_t keysSaved = 0;
  bool saveFailed = false;
  int urlsOffered = 0;
  bool urlRefused = false;
  int portsMade = 0;
  std::size_t sends = 0;
};

class MemoryStoreFile final : public PlanStoreFile {
 public:
  MemoryStoreFile(std::string path, SystemRecord& record)
      : path_(std::move(path)), record_(record) {}
  SettingsStore& Store() override { return store_; }
  bool Save() override {
    ++record_.saves;
    record_.keysSaved = store_.Values().size();
    const bool written = !path_.ends_with('/');
    record_.saveFailed = !written;
    return written;
  }

 private:
  std::string path_;
  SystemRecord& record_;
  InMemorySettingsStore store_;
};

// Accepts the first URL, refuses the second, and so on.
class AlternatingOpener final : public UrlOpener, public PlanUrlOpening {
 public:
  explicit AlternatingOpener(SystemRecord& record) : record_(record) {}
  UrlOpener& Opener() override { return *this; }
  bool Open(const std::string& /*url*/) override {
    const bool accepted = record_.urlsOffered++ % 2 == 0;
    if (!accepted) record_.urlRefused = true;
    return accepted;
  }

 private:
  SystemRecord& record_;
};

// The fake port, counting its sends into the record when the run lets go of it.
class CountingPort final : public IpcPort {
 public:
  explicit CountingPort(SystemRecord& record) : record_(record) { ++record_.portsMade; }
  ~CountingPort() override { record_.sends = fake_.sent.size(); }
  CountingPort(const CountingPort&) = delete;
  CountingPort& operator=(const CountingPort&) = delete;

  WindowHandle FindTopLevelWindow(const std::string& c) override {
    return fake_.FindTopLevelWindow(c);
  }
  std::uint32_t RegisterMessage(const std::string& name) override {
    return fake_.RegisterMessage(name);
  }
  std::uint32_t CurrentProcessId() override { return fake_.CurrentProcessId(); }
  std::uint16_t AddGlobalAtom(const std::string& name) override {
    return fake_.AddGlobalAtom(name);
  }
  void DeleteGlobalAtom(std::uint16_t atom) override { fake_.DeleteGlobalAtom(atom); }
  MappingCreation CreateNamedMapping(const std::string& name, std::uint32_t size) override {
    return fake_.CreateNamedMapping(name, size);
  }
  std::byte* MapView(MappingHandle mapping) override { return fake_.MapView(mapping); }
  void UnmapView(std::byte* view) override { fake_.UnmapView(view); }
  void CloseMapping(MappingHandle mapping) override { fake_.CloseMapping(mapping); }
  bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                       std::int32_t lParam, std::uint32_t timeoutMs,
                       std::uintptr_t& result) override {
    return fake_.SendWithTimeout(window, message, wParam, lParam, timeoutMs, result);
  }
  std::uint32_t LastError() override { return fake_.LastError(); }
  void Sleep(std::uint32_t milliseconds) override { fake_.Sleep(milliseconds); }

 private:
  SystemRecord& record_;
  FakeIpcPort fake_;
};

class StandInSystem final : public PlanSystem {
 public:
  NumberFormat Format() override { return {.groupSeparator = ",", .decimalSeparator = "."}; }
  std::unique_ptr<PlanStoreFile> OpenStoreFile(const std::string& path) override {
    ++record.storesOpened;
    return std::make_unique<MemoryStoreFile>(path, record);
  }
  std::unique_ptr<PlanUrlOpening> StartUrlOpening() override {
    return std::make_unique<AlternatingOpener>(record);
  }
  std::unique_ptr<IpcPort> MakeIpcPort() override { return std::make_unique<CountingPort>(record); }

  SystemRecord record;
};

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

void CheckRefused(const std::string& out, const std::string& err, const SystemRecord& record) {
  Require(out.empty(), "a refused run prints nothing");
  Require(IsOneExplainingLine(err), "a refused run says why in one line");
  Require(record.saves == 0, "a refused run writes no settings");
  Require(record.urlsOffered == 0 && record.sends == 0,
          "a refused run opens nothing and sends nothing");
}

void CheckJsonReport(const std::string& out, int urlsOffered, bool open) {
  const nlohmann::json report = nlohmann::json::parse(out, nullptr, false);
  Require(!report.is_discarded(), "--json prints valid JSON");
  Require(report.is_object() && report.size() == 3 && report.contains("controls") &&
              report["controls"].is_object() && report.contains("messages") &&
              report["messages"].is_array() && report.contains("opened") &&
              report["opened"].is_array(),
          "--json prints one object of controls, messages and opened");
  for (const nlohmann::json& url : report["opened"]) {
    Require(url.is_string(), "an opened URL is a string");
  }
  if (open) {
    Require(report["opened"].size() == static_cast<std::size_t>(urlsOffered),
            "--json lists every URL handed to the system");
  }
}

void CheckPlanRun(const PlanOptions& options, int status, const std::string& out,
                  const std::string& err, const SystemRecord& record) {
  if (status == kPlanExitBadArguments) {
    CheckRefused(out, err, record);
    return;
  }
  Require(!out.empty(), "a run that is not refused prints the plan");
  if (options.json) CheckJsonReport(out, record.urlsOffered, options.open);
  if (options.storePath) {
    Require(record.saves == 1 && record.keysSaved == 16,
            "a run with --store writes the sixteen keys once");
  }
  Require((status == kPlanExitStoreNotWritten) == record.saveFailed,
          "status 1 exactly when the settings file could not be written");
  Require(status != kPlanExitUrlRefused || record.urlRefused,
          "status 3 only when the system refused a URL");
  Require(status != kPlanExitMade || !record.urlRefused, "status 0 only when every URL opened");
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  const std::vector<std::string> arguments =
      Arguments(std::string_view(reinterpret_cast<const char*>(data), size));
  std::vector<const char*> argv{"tarnwick-plan"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  const PlanCommandLine commandLine =
      ParsePlanCommandLine(static_cast<int>(argv.size()), argv.data());

  StandInSystem system;
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunPlan(arguments, out, err, system);
  Require(status >= kPlanExitMade && status <= kPlanExitUrlRefused,
          "the exit status is 0, 1, 2 or 3");

  if (const auto* help = std::get_if<PlanHelpRequest>(&commandLine)) {
    Require(status == kPlanExitMade && out.str() == help->text && err.str().empty(),
            "--help prints the help and exits with 0");
    Require(system.record.portsMade == 0, "--help makes no plan");
  } else if (std::holds_alternative<PlanUsageError>(commandLine)) {
    Require(status == kPlanExitBadArguments, "arguments that do not parse give status 2");
    CheckRefused(out.str(), err.str(), system.record);
    Require(system.record.portsMade == 0, "arguments that do not parse make no plan");
  } else {
    CheckPlanRun(std::get<PlanOptions>(commandLine), status, out.str(), err.str(), system.record);
  }
  return 0;
}
