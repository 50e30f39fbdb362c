#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/parser.hpp>
#include <functional>
#include <memory>
#include <optional>

#include "print/SiteLimits.h"
#include "print/SiteResponse.h"

namespace tarnwick {

// One client of the print site's server: reads its requests one after the other (keep-alive)
// and answers each, until the client closes, sends what cannot be read, or stays idle too long.
// Lives as long as an operation of its own is pending; runs on the server's one thread.
class SiteConnection final : public std::enable_shared_from_this<SiteConnection> {
 public:
  struct Events {
    std::function<void(const SiteFile&)> fileSent;  // a GET answer went out in full
    std::function<void()> closed;                   // from the destructor
  };

  SiteConnection(boost::asio::ip::tcp::socket socket, const SiteLimits& limits, Events events);
  ~SiteConnection();
  SiteConnection(const SiteConnection&) = delete;
  SiteConnection& operator=(const SiteConnection&) = delete;

  void Start() { ReadRequest(); }

 private:
  void ReadRequest();
  void OnRequestRead(boost::beast::error_code error);
  void Send(SiteReply reply, const SiteFile* file);
  void OnSent(boost::beast::error_code error, const SiteFile* file);
  void Close();

  boost::beast::tcp_stream stream_;
  const SiteLimits& limits_;
  Events events_;
  boost::beast::flat_buffer buffer_;
  std::optional<boost::beast::http::request_parser<boost::beast::http::empty_body>> parser_;
  SiteReply reply_;
};

}  // namespace tarnwick
