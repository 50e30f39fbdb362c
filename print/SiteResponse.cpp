#include "print/SiteResponse.h"

#include <iterator>
#include <optional>
#include <string>

namespace tarnwick {
namespace {

namespace http = boost::beast::http;

// The plan travels in the page's URL: it must not leave in a Referer. The page may run its
// own inline script and use its own style sheet, and nothing from anywhere else.
void AddSafetyHeaders(SiteReply& reply) {
  reply.set("X-Content-Type-Options", "nosniff");
  reply.set("Referrer-Policy", "no-referrer");
  reply.set("Cache-Control", "no-cache");
  reply.set("Content-Security-Policy",
            "default-src 'none'; script-src 'unsafe-inline'; style-src 'self'; img-src data:; "
            "frame-ancestors 'none'; form-action 'none'; base-uri 'none'");
}

SiteReply TextReply(http::status status, unsigned version, std::string text) {
  SiteReply reply(status, version);
  reply.set(http::field::content_type, "text/plain; charset=utf-8");
  AddSafetyHeaders(reply);
  reply.body() = std::move(text);
  reply.prepare_payload();
  return reply;
}

SiteReply FileReply(const SiteFile& file, const SiteRequest& request) {
  SiteReply reply(http::status::ok, request.version());
  reply.set(http::field::content_type,
            boost::beast::string_view(file.contentType.data(), file.contentType.size()));
  AddSafetyHeaders(reply);
  if (request.method() == http::verb::head) {
    reply.content_length(file.content.size());
  } else {
    reply.body() = std::string(file.content);
    reply.prepare_payload();
  }
  return reply;
}

// The answer to a request whose Host does not name this site: 400 without one under HTTP/1.1
// (HTTP/1.0 may leave it out) or with several, 421 for another site's. nullopt otherwise.
std::optional<SiteReply> RefusalForHost(const SiteRequest& request, const LoopbackAddress& served) {
  const auto [first, last] = request.equal_range(http::field::host);
  const auto count = std::distance(first, last);
  if (count == 0 && request.version() < 11) return std::nullopt;
  if (count != 1) return TextReply(http::status::bad_request, request.version(), "Bad request.\n");
  const std::string_view host(first->value().data(), first->value().size());
  if (NamesLoopbackSite(host, served)) return std::nullopt;
  return TextReply(http::status::misdirected_request, request.version(),
                   "This server serves only its own site.\n");
}

}  // namespace

SiteReply SiteResponse(const SiteRequest& request, const LoopbackAddress& served,
                       const SiteFile*& servedFile) {
  servedFile = nullptr;
  const bool head = request.method() == http::verb::head;
  SiteReply reply = [&] {
    if (std::optional<SiteReply> refused = RefusalForHost(request, served))
      return std::move(*refused);
    if (!head && request.method() != http::verb::get) {
      SiteReply refused = TextReply(http::status::method_not_allowed, request.version(),
                                    "Only GET and HEAD are served here.\n");
      refused.set(http::field::allow, "GET, HEAD");
      return refused;
    }
    const std::string_view target(request.target().data(), request.target().size());
    servedFile = FindSiteFile(target);
    if (servedFile == nullptr) {
      return TextReply(http::status::not_found, request.version(), "Not found.\n");
    }
    return FileReply(*servedFile, request);
  }();
  if (head) reply.body().clear();
  const bool answered = reply.result() != http::status::bad_request &&
                        reply.result() != http::status::misdirected_request;
  reply.keep_alive(answered && request.keep_alive());
  return reply;
}

SiteReply BadRequestResponse() {
  SiteReply reply = TextReply(http::status::bad_request, 11, "Bad request.\n");
  reply.keep_alive(false);
  return reply;
}

}  // namespace tarnwick
