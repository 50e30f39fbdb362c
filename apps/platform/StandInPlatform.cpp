#include "apps/platform/StandInPlatform.h"

#include "print/LoopbackAddress.h"

namespace tarnwick {
namespace {

// A settings file in the platform's map: read when opened, written back by Save.
class StandInSettingsFile final : public SavedSettingsStore {
 public:
  StandInSettingsFile(StandInPlatform& platform, std::string path)
      : platform_(platform), path_(std::move(path)) {
    const auto file = platform_.files.find(path_);
    if (file == platform_.files.end()) return;
    for (const auto& [address, value] : file->second) {
      const auto& [application, section, key] = address;
      values_.Write(application, section, key, value);
    }
  }

  std::string Read(std::string_view application, std::string_view section, std::string_view key,
                   std::string_view defaultValue) override {
    return values_.Read(application, section, key, defaultValue);
  }
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override {
    values_.Write(application, section, key, value);
  }
  bool Save() override {
    ++platform_.saves;
    if (!platform_.Writable(path_)) return false;
    platform_.files[path_] = values_.Values();
    return true;
  }
  std::string Location() const override { return path_; }
  std::string WriteFailureReason() const override { return "the folder cannot be written to"; }

 private:
  StandInPlatform& platform_;
  std::string path_;
  InMemorySettingsStore values_;
};

class StandInUrlOpening final : public UrlOpening, public UrlOpener {
 public:
  explicit StandInUrlOpening(StandInPlatform& platform) : platform_(platform) {}
  UrlOpener& Opener() override { return *this; }
  bool Open(const std::string& url) override {
    platform_.urlsOffered.push_back(url);
    return platform_.urlsAccepted;
  }

 private:
  StandInPlatform& platform_;
};

// Served, as far as anyone can tell, on the loopback address of the web host unless its port
// is taken; a site elsewhere for any other host, as the real one.
class StandInSite final : public PrintSite {
 public:
  StandInSite(StandInPlatform& platform, std::string_view webHost)
      : platform_(platform), address_(LoopbackAddressOf(webHost)) {}

  std::optional<SiteNotServed> EnsureServing() override {
    if (!address_ || serving_) return std::nullopt;
    if (platform_.takenPorts.contains(address_->port)) {
      ++platform_.sitesRefused;
      lastFailure_ = SiteNotServed{address_->HostAndPort(), true, "Address already in use"};
      return lastFailure_;
    }
    ++platform_.sitesStarted;
    serving_ = true;
    return std::nullopt;
  }
  std::optional<SiteNotServed> LastFailure() const override { return lastFailure_; }
  bool Serving() const override { return serving_; }
  bool WaitUntilPageFetched(std::chrono::milliseconds /*timeout*/) override {
    return serving_ && platform_.browserFetches;
  }
  void Stop() override {
    ++platform_.sitesStopped;
    serving_ = false;
  }

 private:
  StandInPlatform& platform_;
  std::optional<LoopbackAddress> address_;
  bool serving_ = false;
  std::optional<SiteNotServed> lastFailure_;
};

// The platform's fake port lent to one run, which owns only this.
class LentIpcPort final : public IpcPort {
 public:
  explicit LentIpcPort(FakeIpcPort& fake) : fake_(fake) {}

  WindowHandle FindTopLevelWindow(const std::string& className) override {
    return fake_.FindTopLevelWindow(className);
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
                       std::uintptr_t& messageResult) override {
    return fake_.SendWithTimeout(window, message, wParam, lParam, timeoutMs, messageResult);
  }
  std::uint32_t LastError() override { return fake_.LastError(); }
  void Sleep(std::uint32_t milliseconds) override { fake_.Sleep(milliseconds); }

 private:
  FakeIpcPort& fake_;
};

class LentXPlanePort final : public XPlanePort {
 public:
  explicit LentXPlanePort(FakeXPlanePort& fake) : fake_(fake) {}

  std::unique_ptr<UdpSocket> OpenSocket(const UdpEndpoint& local) override {
    return fake_.OpenSocket(local);
  }
  std::unique_ptr<UdpSocket> OpenGroupListener(const UdpEndpoint& group) override {
    return fake_.OpenGroupListener(group);
  }
  std::optional<std::uint32_t> ResolveHost(const std::string& host) override {
    return fake_.ResolveHost(host);
  }
  std::chrono::steady_clock::time_point Now() override { return fake_.Now(); }

 private:
  FakeXPlanePort& fake_;
};

}  // namespace

std::unique_ptr<SavedSettingsStore> StandInPlatform::OpenUserSettings() {
  return std::make_unique<StandInSettingsFile>(*this, userSettingsPath);
}

std::unique_ptr<SavedSettingsStore> StandInPlatform::OpenSettingsFile(const std::string& path) {
  storesOpened.push_back(path);
  if (!hasStoreFiles) return nullptr;
  return std::make_unique<StandInSettingsFile>(*this, path);
}

std::unique_ptr<UrlOpening> StandInPlatform::StartUrlOpening() {
  ++openingsStarted;
  return std::make_unique<StandInUrlOpening>(*this);
}

std::unique_ptr<PrintSite> StandInPlatform::SiteFor(std::string_view webHost) {
  sitesMade.emplace_back(webHost);
  return std::make_unique<StandInSite>(*this, webHost);
}

std::unique_ptr<IpcPort> StandInPlatform::MakeIpcPort() {
  ++ipcPortsMade;
  return std::make_unique<LentIpcPort>(ipc);
}

std::unique_ptr<XPlanePort> StandInPlatform::MakeXPlanePort() {
  return std::make_unique<LentXPlanePort>(xplane);
}

bool StandInPlatform::Writable(const std::string& path) const {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
  return !path.empty() && !path.ends_with('/') && folders.contains(folder);
}

}  // namespace tarnwick
