#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>

namespace tarnwick {

// What a server sent on one connection: everything until it closed, or until the client gave
// up waiting.
struct HttpExchange {
  std::string received;
  bool closedByServer = false;
};

// Connects to 127.0.0.1:port, sends the bytes as they are and reads until the server closes
// the connection or clientPatience is over.
HttpExchange ExchangeRaw(std::uint16_t port, const std::string& request,
                         std::chrono::milliseconds clientPatience = std::chrono::seconds(10));

struct HttpAnswer {
  int status = 0;
  std::map<std::string, std::string> headers;  // names in lower case
  std::string body;

  std::string Header(const std::string& lowerName) const {
    const auto found = headers.find(lowerName);
    return found == headers.end() ? "" : found->second;
  }
};

// Reads a whole answer as a server sent it (status 0 when there was none).
HttpAnswer ParseAnswer(const std::string& received);

// One HTTP/1.1 request on its own connection ("Connection: close").
HttpAnswer Fetch(std::uint16_t port, const std::string& method, const std::string& target);

// A loopback port that was free a moment ago.
std::uint16_t FreeLoopbackPort();

}  // namespace tarnwick
