#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "print/LoopbackAddress.h"
#include "print/SiteHost.h"
#include "print/SiteLimits.h"
#include "print/SiteServer.h"

namespace tarnwick {

// Serves the bundled print site on the web host's loopback address, from the first request on
// (nothing runs before that) until it is destroyed. A web host that is not a loopback address
// is a site elsewhere: then nothing is served here, except that a web host that only spells
// this computer otherwise (see IsUnservedLoopbackName) is refused, since the browser would go
// to a loopback port that another program may hold. The browser is sent to the address served
// ("localhost" becomes 127.0.0.1, which is where it is served).
class LocalSiteHost final : public SiteHost {
 public:
  explicit LocalSiteHost(std::string_view webHost, SiteLimits limits = {});

  // Starts the server on the first call; later calls repeat the first answer until a start
  // succeeds (the other program may have freed the port meanwhile).
  std::optional<SiteNotServed> EnsureServing() override;
  // While serving, for a URL on the web host: the same URL on the address served, whose page
  // (path and query exactly) counts from now on as the browser's to fetch.
  std::string HandOver(std::string url) override;
  // After the server started: waits until each page handed over, and after it the style
  // sheet, have gone out to a browser, or the time is up. True when they have; false at once
  // when nothing serves, and at the end when no page was handed over.
  bool WaitUntilPageFetched(std::chrono::milliseconds timeout);
  // The answer of the last EnsureServing that failed, nullopt while none has.
  const std::optional<SiteNotServed>& LastFailure() const { return lastFailure_; }
  // The port served, 0 before the start (for tests that ask for any free port).
  std::uint16_t Port() const { return server_ ? server_->Port() : 0; }
  void Stop() { server_.reset(); }

 private:
  std::string webHost_;
  std::optional<LoopbackAddress> address_;
  SiteLimits limits_;
  std::unique_ptr<SiteServer> server_;
  std::optional<SiteNotServed> lastFailure_;
};

}  // namespace tarnwick
