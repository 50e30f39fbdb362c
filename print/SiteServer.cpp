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
  if (!error) acceptor_->non_blocking(true, error);
  if (!error) port_ = acceptor_->local_endpoint().port();
  served_ = {address.host, address.ip, port_};
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
  Serve(std::move(socket));
  // Takes what else waits in the listen queue at once, a call each, rather than a round of
  // the event loop each; a bounded number, so that the connections served get their turn.
  for (std::size_t taken = 0; taken < limits_.maxConnections; ++taken) {
    tcp::socket waiting(*io_);
    boost::system::error_code nothingWaiting;
    acceptor_->accept(waiting, nothingWaiting);
    if (nothingWaiting) break;
    Serve(std::move(waiting));
  }
  Accept();
}

void SiteServer::Serve(tcp::socket socket) {
  KeepFromStartedPrograms(socket);
  MakeRoomForAConnection();
  auto connection = std::make_shared<SiteConnection>(
      std::move(socket), limits_, served_,
      [this](const SiteFile& file, std::string_view target) { NoteSent(file, target); });
  connection->Start();
  connections_.push_back(connection);
}

// Closes the connection that has waited longest for its client once the bound is reached. A
// browser sends its request as soon as it is connected, so its connection is answered long
// before it could become the one that has waited longest; idle ones held by others go first.
void SiteServer::MakeRoomForAConnection() {
  std::erase_if(connections_, [](const std::weak_ptr<SiteConnection>& connection) {
    const auto open = connection.lock();
    return !open || !open->IsOpen();
  });
  if (connections_.size() < limits_.maxConnections) return;
  const auto longestWaiting = std::min_element(
      connections_.begin(), connections_.end(), [](const auto& left, const auto& right) {
        return left.lock()->WaitingSince() < right.lock()->WaitingSince();
      });
  longestWaiting->lock()->Close();
  connections_.erase(longestWaiting);
}

void SiteServer::AwaitPage(std::string target) {
  const std::lock_guard lock(pagesMutex_);
  pages_.try_emplace(std::move(target), PageFetch::kAwaited);
}

void SiteServer::NoteSent(const SiteFile& file, std::string_view target) {
  {
    const std::lock_guard lock(pagesMutex_);
    if (file.name == kStyleSheetName) {
      for (auto& [page, fetch] : pages_) {
        if (fetch == PageFetch::kPageSent) fetch = PageFetch::kFetched;
      }
    } else if (const auto page = pages_.find(target);
               page != pages_.end() && page->second == PageFetch::kAwaited) {
      page->second = PageFetch::kPageSent;
    }
  }
  pagesChanged_.notify_all();
}

bool SiteServer::WaitUntilPagesFetched(std::chrono::milliseconds timeout) {
  std::unique_lock lock(pagesMutex_);
  return pagesChanged_.wait_for(lock, timeout, [&] {
    return !pages_.empty() && std::all_of(pages_.begin(), pages_.end(), [](const auto& page) {
      return page.second == PageFetch::kFetched;
    });
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
