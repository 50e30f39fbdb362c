// Timings of the simulator link on the POSIX stand-in transport, against the substitute
// simulator serving on a background thread in a private temporary directory: one read of a
// value with its batch sent and answered, and opening and closing the link.
//
// The client mostly waits for the server thread or sleeps in the handshake, so both cases are
// timed by the wall clock. Repetitions come from the command line; compare medians.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>

#include "simlink/IpcClient.h"
#include "simlink/PosixIpcPort.h"
#include "simlink/SimulatorExchange.h"
#include "simlink/SimulatorOffsets.h"
#include "simlink/UniqueFd.h"
#include "simstub/PosixStubServer.h"
#include "tests/apps/TemporaryDirectory.h"

namespace tarnwick {
namespace {

// Each open sleeps 100 ms in the handshake: a few opens per repetition are enough.
constexpr int kOpenIterations = 10;

// A weight the simulator reports that no zeroed destination holds by chance.
constexpr std::int32_t kZeroFuelWeightLbs = 41234;

// A substitute simulator serving on its own thread until it is destroyed, which stops it
// through a pipe and waits for the thread.
class BackgroundSimulator {
 public:
  BackgroundSimulator()
      : server_(directory_.Path(), {}, {.zeroFuelWeightLbs = kZeroFuelWeightLbs}, {}) {
    std::array<int, 2> ends{};
    if (pipe2(ends.data(), O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    stopRead_ = UniqueFd(ends[0]);
    stopWrite_ = UniqueFd(ends[1]);
    thread_ = std::thread([this] { server_.Serve(stopRead_.Get()); });
  }
  ~BackgroundSimulator() {
    const char stop = 1;
    [[maybe_unused]] const ssize_t ignored = write(stopWrite_.Get(), &stop, 1);
    thread_.join();
  }
  BackgroundSimulator(const BackgroundSimulator&) = delete;
  BackgroundSimulator& operator=(const BackgroundSimulator&) = delete;

  const std::filesystem::path& Directory() const { return directory_.Path(); }

 private:
  TemporaryDirectory directory_;
  PosixStubServer server_;
  UniqueFd stopRead_;
  UniqueFd stopWrite_;
  std::thread thread_;
};

void SkipWithLinkError(benchmark::State& state, const char* step, LinkResult result) {
  state.SkipWithError((std::string(step) + ": " + std::string(LinkResultText(result))).c_str());
}

// One 4-byte read of the zero fuel weight, queued and sent as its own batch and answered by the
// server thread. The link is opened once, before the timed loop.
void BM_ReadAndProcessRoundTrip(benchmark::State& state) {
  BackgroundSimulator simulator;
  PosixIpcPort port(simulator.Directory());
  IpcClient link(port);
  LinkResult result = LinkResult::kNotOpen;
  if (!link.LinkOpen(kAnySimulator, result)) return SkipWithLinkError(state, "LinkOpen", result);
  std::int32_t zeroFuelWeight = 0;
  const auto destination = std::as_writable_bytes(std::span(&zeroFuelWeight, 1));
  for (auto _ : state) {
    if (!ReadAndProcess(link, kZeroFuelWeightOffset, destination, result)) {
      return SkipWithLinkError(state, "ReadAndProcess", result);
    }
    benchmark::DoNotOptimize(zeroFuelWeight);
  }
  if (zeroFuelWeight != kZeroFuelWeightLbs * 256) {
    state.SkipWithError(("read " + std::to_string(zeroFuelWeight) + " at 0x3BFC").c_str());
  }
}

// LinkOpen (finding the server, sharing the area, the handshake with its 100 ms pause and the
// version check) and LinkClose, against a server that keeps running.
void BM_LinkOpenAndClose(benchmark::State& state) {
  BackgroundSimulator simulator;
  PosixIpcPort port(simulator.Directory());
  IpcClient link(port);
  LinkResult result = LinkResult::kNotOpen;
  for (auto _ : state) {
    if (!link.LinkOpen(kAnySimulator, result)) return SkipWithLinkError(state, "LinkOpen", result);
    link.LinkClose();
  }
}

BENCHMARK(BM_ReadAndProcessRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_LinkOpenAndClose)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(kOpenIterations);

}  // namespace
}  // namespace tarnwick
