#pragma once

#include <optional>
#include <string>

namespace tarnwick {

// Why the print site does not answer at its address.
struct SiteNotServed {
  std::string address;  // host:port
  bool addressTaken;    // another program listens there
  std::string reason;   // the system's words

  friend bool operator==(const SiteNotServed&, const SiteNotServed&) = default;
};

// Makes the print site answer at the web site's address before a browser is sent there.
class SiteHost {
 public:
  virtual ~SiteHost() = default;
  // nullopt when the site answers, or is not this program's to serve (a site elsewhere).
  virtual std::optional<SiteNotServed> EnsureServing() = 0;
  // Once the site answers, just before url (a page of the site) goes to the browser: the URL
  // to hand it, which a site served here names by the address it is served on.
  virtual std::string HandOver(std::string url) { return url; }
};

// For a site served by someone else, or when the URL is only recorded: does nothing.
class SiteServedElsewhere final : public SiteHost {
 public:
  std::optional<SiteNotServed> EnsureServing() override { return std::nullopt; }
};

}  // namespace tarnwick
