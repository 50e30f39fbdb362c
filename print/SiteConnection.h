#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/parser.hpp>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "print/LoopbackAddress.h"
#include "print/SiteLimits.h"
#include "print/SiteResponse.h"

namespace tarnwick {

// One client of the print site's server: reads its requests one after the other (keep-alive)
// and answers each, until the client closes, sends what cannot be read, or stays idle too long.
// Lives as long as an operation of its own is pending; runs on the server's one thread.
class SiteConnection final : public std::enable_shared_from_this<SiteConnection> {
 public:
  // A GET answer with a file went out in full, for this request target.
  using FileSent = std::function<void(const SiteFile&, std::string_view target)>;

  // served must outlive the connection.
  SiteConnection(boost::asio::ip::tcp::socket socket, const SiteLimits& limits,
                 const LoopbackAddress& served, FileSent fileSent);
  SiteConnection(const SiteConnection&) = delete;
  SiteConnection& operator=(const SiteConnection&) = delete;

  void Start() { ReadRequest(); }
  // Ends the connection; what is pending on it finishes as cancelled.
  void Close();
  bool IsOpen() const { return stream_.socket().is_open(); }
  // Since when it has waited for the client: to send a request, or to take an answer.
  std::chrono::steady_clock::time_point WaitingSince() const { return waitingSince_; }

 private:
  void ReadRequest();
  void OnRequestRead(boost::beast::error_code error);
  void Send(SiteReply reply, const SiteFile* file);
  void OnSent(boost::beast::error_code error, const SiteFile* file);

  boost::beast::tcp_stream stream_;
  const SiteLimits& limits_;
  const LoopbackAddress& served_;
  FileSent fileSent_;
  std::chrono::steady_clock::time_point waitingSince_;
  boost::beast::flat_buffer buffer_;
  std::optional<boost::beast::http::request_parser<boost::beast::http::empty_body>> parser_;
  SiteReply reply_;
};

}  // namespace tarnwick
