#include "print/LocalSiteHost.h"

#include <string>
#include <vector>

namespace tarnwick {

LocalSiteHost::LocalSiteHost(std::string_view webHost, SiteLimits limits)
    : address_(LoopbackAddressOf(webHost)), limits_(limits) {}

std::optional<SiteNotServed> LocalSiteHost::EnsureServing() {
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

bool LocalSiteHost::WaitUntilPageFetched(std::chrono::milliseconds timeout) {
  return server_ && server_->WaitUntilSent({"print.php", "tarnwick.css"}, timeout);
}

}  // namespace tarnwick
