#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "print/LoopbackAddress.h"
#include "print/SiteFiles.h"
#include "print/SiteLimits.h"

namespace tarnwick {

class SiteConnection;

// Serves the print site that the program carries (front page, print page, style sheet) over
// HTTP on a loopback address, on a thread of its own, with the limits given. GET and HEAD
// only, and only for a Host that names this address (see SiteResponse); nothing else of the
// machine is reachable through it, and nothing is logged. When as many connections are open
// as the limits allow, a new one closes the one that has waited longest for its client, so
// that clients holding connections open cannot keep a browser out.
class SiteServer {
 public:
  explicit SiteServer(SiteLimits limits = {});
  ~SiteServer();  // stops serving
  SiteServer(const SiteServer&) = delete;
  SiteServer& operator=(const SiteServer&) = delete;

  // Listens on the address (port 0: any free port) and starts serving. An empty code when it
  // serves; otherwise why it cannot (see AddressTaken). Called once.
  boost::system::error_code Start(const LoopbackAddress& address);
  // Whether an error of Start means that another program holds the address.
  static bool AddressTaken(const boost::system::error_code& error);
  // The port it listens on, once started.
  std::uint16_t Port() const { return port_; }
  // Counts from now on a GET of exactly this target (path and query, as in the URL handed to a
  // browser) as the browser's fetch of its page; any other target is someone else's.
  void AwaitPage(std::string target);
  // Waits until every page awaited has gone out in full to a GET of its exact target, each
  // followed by the style sheet, or until the time is up. True when they have; false when no
  // page is awaited.
  bool WaitUntilPagesFetched(std::chrono::milliseconds timeout);
  // Ends every connection and stops listening; idempotent.
  void Stop();

 private:
  boost::system::error_code Listen(const LoopbackAddress& address);
  void Accept();
  void OnAccepted(const boost::system::error_code& error, boost::asio::ip::tcp::socket socket);
  void Serve(boost::asio::ip::tcp::socket socket);
  void MakeRoomForAConnection();
  void NoteSent(const SiteFile& file, std::string_view target);

  // How far the browser's fetch of an awaited page has come.
  enum class PageFetch { kAwaited, kPageSent, kFetched };

  SiteLimits limits_;
  // Made by Start and destroyed by Stop, the acceptor and the timer before the context: that
  // ends every connection still open.
  std::unique_ptr<boost::asio::io_context> io_;
  std::optional<boost::asio::ip::tcp::acceptor> acceptor_;
  std::optional<boost::asio::steady_timer> acceptRetry_;
  std::uint16_t port_ = 0;
  // The address served, with the port listened on; read by the connections.
  LoopbackAddress served_;
  // Touched only on the serving thread.
  std::vector<std::weak_ptr<SiteConnection>> connections_;
  bool stopping_ = false;
  std::mutex pagesMutex_;
  std::condition_variable pagesChanged_;
  std::map<std::string, PageFetch, std::less<>> pages_;
  std::thread thread_;
};

}  // namespace tarnwick
