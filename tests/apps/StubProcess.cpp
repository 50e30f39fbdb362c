#include "StubProcess.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "simlink/SimulatorOffsets.h"

namespace tarnwick {
namespace {

std::vector<std::string> Words(std::vector<std::string> options) {
  options.insert(options.begin(), TARNWICK_SIMSTUB_PROGRAM);
  return options;
}

// The stub's line once it serves: as a window, at a socket, or as X-Plane on a UDP port.
bool SaysItServes(const std::string& line) {
  for (const char* ready :
       {"tarnwick-simstub: serving as window class ", "tarnwick-simstub: listening at ",
        "tarnwick-simstub: playing X-Plane"}) {
    if (line.starts_with(ready)) return true;
  }
  return false;
}

// The start of the stub's log line for a write of a tank's filling level (4 bytes).
std::string TankWritePrefix(std::int32_t offset) {
  std::array<char, 8> hex{};
  std::snprintf(hex.data(), hex.size(), "%04X", static_cast<unsigned>(offset));
  return "write 0x" + std::string(hex.data()) + " size 4 value ";
}

}  // namespace

StubProcess::StubProcess(const std::filesystem::path& log, std::vector<std::string> options)
    : log_(log),
      errors_(std::filesystem::path(log) += ".err"),
      program_(Words(std::move(options)), log_, errors_) {}

bool StubProcess::WaitUntilServing() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < deadline) {
    // Asked before reading, so that a stub that said so just before it ended has served.
    const bool running = program_.Running();
    const std::vector<std::string> lines = ErrorLines();
    if (std::any_of(lines.begin(), lines.end(), SaysItServes)) return true;
    if (!running) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

int StubProcess::Stop() {
  program_.Interrupt();
  return program_.Wait();
}

std::vector<std::string> FileLines(const std::filesystem::path& file) {
  std::ifstream text(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    if (line.ends_with('\r')) line.pop_back();  // written by a Windows program
    lines.push_back(line);
  }
  return lines;
}

std::optional<long> LevelWrittenToBothTanks(const std::vector<std::string>& log) {
  const std::string left = TankWritePrefix(kLeftMainTankOffset);
  const std::string right = TankWritePrefix(kRightMainTankOffset);
  std::vector<std::string> tankWrites;
  for (const std::string& line : log) {
    if (line.starts_with(left) || line.starts_with(right)) tankWrites.push_back(line);
  }
  if (tankWrites.size() != 2 || !tankWrites[0].starts_with(left)) return std::nullopt;
  const std::string level = tankWrites[0].substr(left.size());
  if (tankWrites[1] != right + level) return std::nullopt;
  return std::stol(level);
}

}  // namespace tarnwick
