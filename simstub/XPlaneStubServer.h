#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "simlink/UdpSocket.h"
#include "simlink/XPlanePort.h"
#include "simstub/XPlaneSubstitute.h"

namespace tarnwick {

// A substitute X-Plane on a UDP socket: takes each datagram and sends the answers as they fall
// due.
class XPlaneStubServer {
 public:
  // Listens at the endpoint (address 0: every interface; port 0: any free one). Throws
  // std::runtime_error when the endpoint cannot be had.
  XPlaneStubServer(XPlanePort& port, const UdpEndpoint& local, XPlaneSubstitute& substitute);

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
