#include "print/SiteConnection.h"

#include <boost/beast/http/error.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>

namespace tarnwick {

namespace beast = boost::beast;
namespace http = beast::http;

SiteConnection::SiteConnection(boost::asio::ip::tcp::socket socket, const SiteLimits& limits,
                               const LoopbackAddress& served, FileSent fileSent)
    : stream_(std::move(socket)),
      limits_(limits),
      served_(served),
      fileSent_(std::move(fileSent)),
      buffer_(limits.maxRequestBytes) {}

void SiteConnection::ReadRequest() {
  waitingSince_ = std::chrono::steady_clock::now();
  parser_.emplace();
  parser_->header_limit(static_cast<std::uint32_t>(limits_.maxRequestBytes));
  parser_->body_limit(0);
  stream_.expires_after(limits_.idleTimeout);
  http::async_read(stream_, buffer_, *parser_,
                   [self = shared_from_this()](beast::error_code error, std::size_t) {
                     self->OnRequestRead(error);
                   });
}

void SiteConnection::OnRequestRead(beast::error_code error) {
  // A client that leaves, or says nothing in time, gets no answer.
  if (error == http::error::end_of_stream || error == beast::error::timeout ||
      error == boost::asio::error::operation_aborted ||
      error == boost::asio::error::connection_reset) {
    Close();
    return;
  }
  if (error) {
    Send(BadRequestResponse(), nullptr);
    return;
  }
  const SiteFile* file = nullptr;
  SiteReply reply = SiteResponse(parser_->get(), served_, file);
  Send(std::move(reply), parser_->get().method() == http::verb::get ? file : nullptr);
}

void SiteConnection::Send(SiteReply reply, const SiteFile* file) {
  reply_ = std::move(reply);
  waitingSince_ = std::chrono::steady_clock::now();
  stream_.expires_after(limits_.idleTimeout);
  http::async_write(stream_, reply_,
                    [self = shared_from_this(), file](beast::error_code error, std::size_t) {
                      self->OnSent(error, file);
                    });
}

void SiteConnection::OnSent(beast::error_code error, const SiteFile* file) {
  if (error) {
    Close();
    return;
  }
  if (file != nullptr && fileSent_) {
    const auto& target = parser_->get().target();
    fileSent_(*file, std::string_view(target.data(), target.size()));
  }
  if (reply_.need_eof()) {
    Close();
  } else {
    ReadRequest();
  }
}

void SiteConnection::Close() {
  beast::error_code ignored;
  stream_.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_send, ignored);
  stream_.socket().close(ignored);
}

}  // namespace tarnwick
