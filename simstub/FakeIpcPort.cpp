#include "simstub/FakeIpcPort.h"

#include <numeric>

namespace tarnwick {
namespace {

constexpr MappingHandle kFakeMapping = 0x4D41;

// Window handles of the fake: 0x100 plus the class's place in windowClasses.
WindowHandle FakeWindowHandle(const std::set<std::string>& classes, const std::string& name) {
  const auto found = classes.find(name);
  if (found == classes.end()) return 0;
  return 0x100 + static_cast<WindowHandle>(std::distance(classes.begin(), found));
}

}  // namespace

FakeIpcPort::FakeIpcPort() {
  LoadSimulatorSetup(simulator, {});
  server = [this](std::span<std::byte> area) { CarryOutRequests(area, simulator, {}); };
}

std::uint32_t FakeIpcPort::SleptMs() const {
  return std::accumulate(sleeps.begin(), sleeps.end(), std::uint32_t{0});
}

WindowHandle FakeIpcPort::FindTopLevelWindow(const std::string& className) {
  calls.push_back("FindTopLevelWindow " + className);
  return FakeWindowHandle(windowClasses, className);
}

std::uint32_t FakeIpcPort::RegisterMessage(const std::string& name) {
  calls.push_back("RegisterMessage " + name);
  return registeredMessage;
}

std::uint32_t FakeIpcPort::CurrentProcessId() { return processId; }

std::uint16_t FakeIpcPort::AddGlobalAtom(const std::string& name) {
  calls.push_back("AddGlobalAtom " + name);
  if (atomFails) return 0;
  liveAtoms.insert(nextAtom_);
  return nextAtom_++;
}

void FakeIpcPort::DeleteGlobalAtom(std::uint16_t atom) {
  calls.push_back("DeleteGlobalAtom");
  liveAtoms.erase(atom);
}

MappingCreation FakeIpcPort::CreateNamedMapping(const std::string& name, std::uint32_t size) {
  calls.push_back("CreateNamedMapping " + name);
  lastMappingName = name;
  if (mappingFails) return {};
  ++liveMappings;
  if (!mappingExists) area_.assign(size, std::byte{0});
  return {kFakeMapping, mappingExists};
}

std::byte* FakeIpcPort::MapView(MappingHandle mapping) {
  calls.push_back("MapView");
  if (viewFails || mapping != kFakeMapping) return nullptr;
  ++liveViews;
  return area_.data();
}

void FakeIpcPort::UnmapView(std::byte* /*view*/) {
  calls.push_back("UnmapView");
  --liveViews;
}

void FakeIpcPort::CloseMapping(MappingHandle /*mapping*/) {
  calls.push_back("CloseMapping");
  --liveMappings;
}

bool FakeIpcPort::SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                                  std::int32_t lParam, std::uint32_t timeoutMs,
                                  std::uintptr_t& result) {
  calls.push_back("SendWithTimeout");
  sent.push_back({window, message, wParam, lParam, timeoutMs,
                  keepsSentAreas ? area_ : std::vector<std::byte>{}});
  if (failingSends > 0) {
    --failingSends;
    lastError_ = sendError;
    return false;
  }
  if (server) server(area_);
  result = messageResult;
  return true;
}

std::uint32_t FakeIpcPort::LastError() { return lastError_; }

void FakeIpcPort::Sleep(std::uint32_t milliseconds) { sleeps.push_back(milliseconds); }

}  // namespace tarnwick
