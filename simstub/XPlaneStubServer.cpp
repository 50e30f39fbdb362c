#include "simstub/XPlaneStubServer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tarnwick {
namespace {

constexpr std::chrono::milliseconds kLongestWait{100};

}  // namespace

XPlaneStubServer::XPlaneStubServer(XPlanePort& port, const UdpEndpoint& local,
                                   XPlaneSubstitute& substitute)
    : port_(port), substitute_(substitute), socket_(port.OpenSocket(local)) {
  if (!socket_) throw std::runtime_error("cannot listen on UDP port " + std::to_string(local.port));
  local_ = socket_->LocalEndpoint();
}

void XPlaneStubServer::Serve(const std::function<bool()>& stopRequested) {
  while (!stopRequested()) {
    if (const std::optional<Datagram> datagram = socket_->Receive(WaitBeforeNextAnswer())) {
      substitute_.Take(datagram->source, datagram->bytes, port_.Now());
    }
    for (const XPlaneSubstitute::Answer& answer : substitute_.DueAnswers(port_.Now())) {
      socket_->SendTo(answer.client, answer.packet);
    }
  }
}

std::chrono::milliseconds XPlaneStubServer::WaitBeforeNextAnswer() {
  const auto next = substitute_.NextDue();
  if (!next) return kLongestWait;
  const auto untilDue = std::chrono::ceil<std::chrono::milliseconds>(*next - port_.Now());
  return std::clamp(untilDue, std::chrono::milliseconds(0), kLongestWait);
}

}  // namespace tarnwick
