#include "print/LocalSiteHost.h"

#include <string>

namespace tarnwick {

LocalSiteHost::LocalSiteHost(std::string_view webHost, SiteLimits limits)
    : webHost_(webHost), address_(LoopbackAddressOf(webHost)), limits_(limits) {}

std::optional<SiteNotServed> LocalSiteHost::EnsureServing() {
  if (IsUnservedLoopbackName(webHost_)) {
    lastFailure_ = SiteNotServed{webHost_, false,
                                 "the address names this computer in a way that is not served; "
                                 "use localhost, 127.0.0.1 or [::1]"};
    return lastFailure_;
  }
  if (!address_ || server_) return std::nullopt;
  auto server = std::make_unique<SiteServer>(limits_);
  if (const boost::system::error_code error = server->Start(*address_)) {
    lastFailure_ =
        SiteNotServed{address_->HostAndPort(), SiteServer::AddressTaken(error), error.message()};
    return lastFailure_;
  }
  server_ = std::move(server);
  lastFailure_.reset();
  return std::nullopt;
}

std::string LocalSiteHost::HandOver(std::string url) {
  const std::string onWebHost = "http://" + webHost_ + "/";
  if (!server_ || !url.starts_with(onWebHost)) return url;
  const std::string target = url.substr(onWebHost.size() - 1);
  server_->AwaitPage(target);
  return "http://" + address_->IpAndPort() + target;
}

bool LocalSiteHost::WaitUntilPageFetched(std::chrono::milliseconds timeout) {
  return server_ && server_->WaitUntilPagesFetched(timeout);
}

}  // namespace tarnwick
