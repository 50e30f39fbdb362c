#include "print/SiteServer.h"

#ifndef _WIN32
#include <fcntl.h>
#endif

#include <algorithm>
#include <boost/asio/ip/address.hpp>
#include <memory>

#include "print/SiteConnection.h"

namespace tarnwick {

namespace asio = boost::asio;
using asio::ip::tcp;

namespace {

// How long accepting pauses after it failed (out of descriptors, say), instead of spinning.
constexpr std::chrono::milliseconds kAcceptRetryDelay{100};

// Keeps the socket from the programs that this one starts, such as the browser that Print
// opens: a browser that outlived the planner would otherwise hold the site's port, and the next
// planner could not serve the site until the browser was closed.
template <typename Socket>
void KeepFromStartedPrograms(Socket& socket) {
#ifdef _WIN32
  const SOCKET handle = socket.native_handle();
  SetHandleInformation(reinterpret_cast<HANDLE>(handle), HANDLE_FLAG_INHERIT, 0);
#else
  const int descriptor = socket.native_handle();
  fcntl(descriptor, F_SETFD, fcntl(descriptor, F_GETFD) | FD_CLOEXEC);
#endif
}

#ifdef _WIN32
// Windows lets a second socket bind a port already in use unless the first claims it alone.
using ExclusiveAddressUse = asio::detail::socket_option::boolean<SOL_SOCKET, SO_EXCLUSIVEADDRUSE>;
#endif

}  // namespace

SiteServer::SiteServer(SiteLimits limits) : limits_(limits) {}

SiteServer::~SiteServer() { Stop(); }

boost::system::error_code SiteServer::Start(const LoopbackAddress& address) {
  io_ = std::make_unique<asio::io_context>();
  acceptor_.emplace(*io_);
  acceptRetry_.emplace(*io_);
  if (const boost::system::error_code error = Listen(address)) {
    Stop();
    return error;
  }
  accepting_ = true;
  Accept();
  thread_ = std::thread([this] { io_->run(); });
  return {};
}

boost::system::error_code SiteServer::Listen(const LoopbackAddress& address) {
  boost::system::error_code error;
  const tcp::endpoint endpoint(asio::ip::make_address(address.ip, error), address.port);
  if (!error) acceptor_->open(endpoint.protocol(), error);
  if (!error) KeepFromStartedPrograms(*acceptor_);
#ifdef _WIN32
  if (!error) acceptor_->set_option(ExclusiveAddressUse(true), error);
#else
  // Lets a restarted planner listen again while connections of its last run linger.
  if (!error) acceptor_->set_option(tcp::acceptor::reuse_address(true), error);
#endif
  if (!error) acceptor_->bind(endpoint, error);
  if (!error) acceptor_->listen(asio::socket_base::max_listen_connections, error);
  if (!error) port_ = acceptor_->local_endpoint().port();
  return error;
}

bool SiteServer::AddressTaken(const boost::system::error_code& error) {
#ifdef _WIN32
  // A port that another program claims for itself alone refuses the bind as access denied.
  if (error == asio::error::access_denied) return true;
#endif
  return error == asio::error::address_in_use;
}

void SiteServer::Accept() {
  acceptor_->async_accept([this](const boost::system::error_code& error, tcp::socket socket) {
    OnAccepted(error, std::move(socket));
  });
}

void SiteServer::OnAccepted(const boost::system::error_code& error, tcp::socket socket) {
  if (stopping_ || error == asio::error::operation_aborted) return;
  if (error) {
    acceptRetry_->expires_after(kAcceptRetryDelay);
    acceptRetry_->async_wait([this](const boost::system::error_code& waitError) {
      if (!waitError && !stopping_) Accept();
    });
    return;
  }
  KeepFromStartedPrograms(socket);
  ++openConnections_;
  SiteConnection::Events events{[this](const SiteFile& file) { NoteSent(file.name); },
                                [this] { OnConnectionClosed(); }};
  std::make_shared<SiteConnection>(std::move(socket), limits_, std::move(events))->Start();
  accepting_ = openConnections_ < limits_.maxConnections;
  if (accepting_) Accept();
}

void SiteServer::OnConnectionClosed() {
  --openConnections_;
  if (accepting_ || stopping_) return;
  accepting_ = true;
  Accept();
}

void SiteServer::NoteSent(std::string_view name) {
  {
    const std::lock_guard lock(sentMutex_);
    sent_.emplace(name);
  }
  sentChanged_.notify_all();
}

bool SiteServer::WaitUntilSent(const std::vector<std::string>& names,
                               std::chrono::milliseconds timeout) {
  std::unique_lock lock(sentMutex_);
  return sentChanged_.wait_for(lock, timeout, [&] {
    return std::all_of(names.begin(), names.end(),
                       [&](const std::string& name) { return sent_.contains(name); });
  });
}

void SiteServer::Stop() {
  if (thread_.joinable()) {
    io_->stop();
    thread_.join();
  }
  stopping_ = true;
  acceptRetry_.reset();
  acceptor_.reset();
  io_.reset();
}

}  // namespace tarnwick
