// The time from a click on Print to the first byte of the print page at the browser: the click
// (the URL built, the site's server started on the first click, the URL handed to an opener that
// only records it) followed by the browser's request for that URL on a new connection, up to the
// first byte of the answer. The browser's own start is not the planner's and is left out.
#include <benchmark/benchmark.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>
#include <string>

#include "commands/PrintCommand.h"
#include "print/LocalSiteHost.h"
#include "ui/MainWindow.h"
#include "ui/ProgramState.h"
#include "ui/SettingsStore.h"

namespace tarnwick {
namespace {

namespace asio = boost::asio;
using asio::ip::tcp;

std::uint16_t FreePort() {
  asio::io_context io;
  tcp::acceptor acceptor(io, {asio::ip::address_v4::loopback(), 0});
  return acceptor.local_endpoint().port();
}

// The path and query of an http://host/... URL.
std::string TargetOf(const std::string& url) { return url.substr(url.find('/', 7)); }

void FetchFirstByte(std::uint16_t port, const std::string& target) {
  asio::io_context io;
  tcp::socket socket(io);
  socket.connect({asio::ip::address_v4::loopback(), port});
  asio::write(socket, asio::buffer("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                                   std::to_string(port) + "\r\n\r\n"));
  char first = 0;
  asio::read(socket, asio::buffer(&first, 1));
  benchmark::DoNotOptimize(first);
}

// A loaded window with Print wired to a site host on a free port.
class PrintingWindow {
 public:
  PrintingWindow()
      : host_("127.0.0.1:" + std::to_string(port_)),
        site_(std::make_unique<LocalSiteHost>(host_)),
        window_(state_, {messages_, settings_, NumberFormat{}, [] {}}) {
    WirePrintCommand(window_.Controls(), {*site_, opener_, messages_},
                     "http://" + host_ + "/Tarnwick/");
    window_.Controls().frmMain.Show();
  }
  // Print as the pilot clicks it, then the browser's request; the URL is the one just opened.
  void PrintAndFetch() {
    window_.Controls().cmdPrint.Click();
    FetchFirstByte(port_, TargetOf(opener_.Requests().back().url));
  }
  // As after the window closed: the next click is a first one again.
  void StopServing() { site_->Stop(); }

 private:
  std::uint16_t port_ = FreePort();
  std::string host_;
  std::unique_ptr<LocalSiteHost> site_;
  ProgramState state_;
  MessageRecorder messages_;
  InMemorySettingsStore settings_;
  UrlRecorder opener_;
  MainWindow window_;
};

void BM_FirstPrintToFirstByte(benchmark::State& state) {
  PrintingWindow window;
  for (auto _ : state) {
    window.PrintAndFetch();
    state.PauseTiming();
    window.StopServing();
    state.ResumeTiming();
  }
}

void BM_LaterPrintToFirstByte(benchmark::State& state) {
  PrintingWindow window;
  window.PrintAndFetch();
  for (auto _ : state) window.PrintAndFetch();
}

void Repeated(benchmark::internal::Benchmark* bench) {
  bench->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_FirstPrintToFirstByte)->Apply(Repeated);
BENCHMARK(BM_LaterPrintToFirstByte)->Apply(Repeated);

}  // namespace
}  // namespace tarnwick
