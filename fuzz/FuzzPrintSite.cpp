// Arbitrary bytes as a request to the print site's server at 127.0.0.1:8642, read with the
// server's own parser and limits and answered as the server answers. Properties: a request
// that cannot be read gets 400; so does an HTTP/1.1 request without a Host or with several; one
// whose Host names another site gets 421; any other gets 200 only for a target that is exactly
// the site's folder followed by one of its file names (or the folder alone, the front page),
// before any query, and then the body is that file (empty for HEAD); everything else is 404
// or, for methods other than GET and HEAD, 405. So no byte sequence reaches a file outside the
// site, nor any file under another site's name. A violation prints which property failed and
// traps.
#include <boost/beast/core/error.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/parser.hpp>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "print/LoopbackAddress.h"
#include "print/SiteFiles.h"
#include "print/SiteLimits.h"
#include "print/SiteResponse.h"

namespace tarnwick {
namespace {

namespace http = boost::beast::http;

void Check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "violated: %s\n", property);
  __builtin_trap();
}

// The file the target names by the plain rule: folder and file name exactly, query ignored.
bool NamesSiteFileExactly(std::string_view target, const SiteFile& file) {
  const std::string_view path = target.substr(0, target.find('?'));
  if (path == kSiteFolder) return file.name == "index.html";
  return path.size() == kSiteFolder.size() + file.name.size() && path.starts_with(kSiteFolder) &&
         path.substr(kSiteFolder.size()) == file.name;
}

const LoopbackAddress kServed{"127.0.0.1", "127.0.0.1", 8642};

// The Host field by the plain rule: one of the names of the site, in any case, with its port.
bool HostNamesTheSite(const SiteRequest& request) {
  const auto host = request.find(http::field::host);
  std::string value(host->value().data(), host->value().size());
  for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return value == "127.0.0.1:8642" || value == "localhost:8642" || value == "[::1]:8642";
}

void CheckAnswer(const SiteRequest& request) {
  const SiteFile* file = nullptr;
  const SiteReply reply = SiteResponse(request, kServed, file);
  const std::string_view target(request.target().data(), request.target().size());
  const bool head = request.method() == http::verb::head;
  const bool get = request.method() == http::verb::get;
  const auto hosts = std::distance(request.equal_range(http::field::host).first,
                                   request.equal_range(http::field::host).second);
  if (hosts != 1 && !(hosts == 0 && request.version() < 11)) {
    Check(reply.result() == http::status::bad_request, "no Host or several get 400");
    return;
  }
  if (hosts == 1 && !HostNamesTheSite(request)) {
    Check(reply.result() == http::status::misdirected_request, "another site's Host gets 421");
    return;
  }
  if (!get && !head) {
    Check(reply.result() == http::status::method_not_allowed, "other methods get 405");
    return;
  }
  if (file == nullptr) {
    Check(reply.result() == http::status::not_found, "a target that names no file gets 404");
    return;
  }
  Check(reply.result() == http::status::ok, "a site file is served with 200");
  Check(NamesSiteFileExactly(target, *file), "only the folder and a file name reach a file");
  Check(reply.body() == (head ? std::string_view() : file->content), "the body is the file");
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  const SiteLimits limits;
  http::request_parser<http::empty_body> parser;
  parser.header_limit(static_cast<std::uint32_t>(limits.maxRequestBytes));
  parser.body_limit(0);
  parser.eager(true);
  boost::beast::error_code error;
  const auto bytes = boost::asio::const_buffer(data, size);
  parser.put(bytes, error);
  if (error || !parser.is_done()) {
    Check(BadRequestResponse().result() == http::status::bad_request, "unreadable gets 400");
    return 0;
  }
  CheckAnswer(parser.get());
  return 0;
}
