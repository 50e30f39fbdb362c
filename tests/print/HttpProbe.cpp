#include "HttpProbe.h"

#include <array>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <functional>

namespace tarnwick {

namespace asio = boost::asio;
using asio::ip::tcp;

HttpExchange ExchangeRaw(std::uint16_t port, const std::string& request,
                         std::chrono::milliseconds clientPatience) {
  asio::io_context io;
  tcp::socket socket(io);
  socket.connect({asio::ip::address_v4::loopback(), port});
  boost::system::error_code writeError;  // a server that stops reading may reset the rest
  asio::write(socket, asio::buffer(request), writeError);
  HttpExchange exchange;
  std::array<char, 4096> chunk{};
  std::function<void()> readMore = [&] {
    socket.async_read_some(asio::buffer(chunk),
                           [&](boost::system::error_code error, std::size_t size) {
                             exchange.received.append(chunk.data(), size);
                             if (error) {
                               exchange.closedByServer = true;
                             } else {
                               readMore();
                             }
                           });
  };
  readMore();
  io.run_for(clientPatience);
  return exchange;
}

HttpAnswer ParseAnswer(const std::string& received) {
  HttpAnswer answer;
  const std::size_t headEnd = received.find("\r\n\r\n");
  if (!received.starts_with("HTTP/1.1 ") || headEnd == std::string::npos) return answer;
  answer.status = std::stoi(received.substr(9, 3));
  std::size_t line = received.find("\r\n") + 2;
  while (line < headEnd) {
    const std::size_t lineEnd = received.find("\r\n", line);
    const std::string field = received.substr(line, lineEnd - line);
    const std::size_t colon = field.find(':');
    std::string name = field.substr(0, colon);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    answer.headers[name] = field.substr(field.find_first_not_of(' ', colon + 1));
    line = lineEnd + 2;
  }
  answer.body = received.substr(headEnd + 4);
  return answer;
}

HttpAnswer Fetch(std::uint16_t port, const std::string& method, const std::string& target) {
  return ParseAnswer(ExchangeRaw(port, method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                                           std::to_string(port) + "\r\nConnection: close\r\n\r\n")
                         .received);
}

std::uint16_t FreeLoopbackPort() {
  asio::io_context io;
  tcp::acceptor acceptor(io, {asio::ip::address_v4::loopback(), 0});
  return acceptor.local_endpoint().port();
}

}  // namespace tarnwick
