#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "print/LoopbackAddress.h"
#include "print/SiteLimits.h"

namespace tarnwick {

// Serves the print site that the program carries (front page, print page, style sheet) over
// HTTP on a loopback address, on a thread of its own, with the limits given. GET and HEAD
// only; nothing else of the machine is reachable through it, and nothing is logged.
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
  // Waits until each of the site's files named (e.g. "print.php") has gone out in full to a
  // GET at least once since the start, or until the time is up. True when all have.
  bool WaitUntilSent(const std::vector<std::string>& names, std::chrono::milliseconds timeout);
  // Ends every connection and stops listening; idempotent.
  void Stop();

 private:
  boost::system::error_code Listen(const LoopbackAddress& address);
  void Accept();
  void OnAccepted(const boost::system::error_code& error, boost::asio::ip::tcp::socket socket);
  void OnConnectionClosed();
  void NoteSent(std::string_view name);

  SiteLimits limits_;
  // Made by Start and destroyed by Stop, the acceptor and the timer before the context: that
  // ends every connection still open.
  std::unique_ptr<boost::asio::io_context> io_;
  std::optional<boost::asio::ip::tcp::acceptor> acceptor_;
  std::optional<boost::asio::steady_timer> acceptRetry_;
  std::uint16_t port_ = 0;
  // Touched only on the serving thread.
  std::size_t openConnections_ = 0;
  bool accepting_ = false;
  bool stopping_ = false;
  std::mutex sentMutex_;
  std::condition_variable sentChanged_;
  std::set<std::string, std::less<>> sent_;
  std::thread thread_;
};

}  // namespace tarnwick
