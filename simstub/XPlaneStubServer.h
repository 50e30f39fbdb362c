#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "simlink/UdpSocket.h"
#include "simlink/XPlanePort.h"
#include "simstub/XPlaneSubstitute.h"

namespace tarnwick {

// A substitute X-Plane on a UDP socket of 127.0.0.1: takes each datagram and sends the
// answers as they fall due.
class XPlaneStubServer {
 public:
  // Listens on 127.0.0.1 at the port (0: any free one). Throws std::runtime_error when the
  // port cannot be had.
  XPlaneStubServer(XPlanePort& port, std::uint16_t listenPort, XPlaneSubstitute& substitute);

  // Serves until stopRequested returns true; it is asked at least every 100 ms.
  void Serve(const std::function<bool()>& stopRequested);

  UdpEndpoint LocalEndpoint() const { return local_; }

 private:
  std::chrono::milliseconds WaitBeforeNextAnswer();

  XPlanePort& port_;
  XPlaneSubstitute& substitute_;
  std::unique_ptr<UdpSocket> socket_;
  UdpEndpoint local_;
};

}  // namespace tarnwick
