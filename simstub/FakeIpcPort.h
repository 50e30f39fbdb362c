#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "simlink/IpcPort.h"
#include "simstub/SubstituteSimulator.h"

namespace tarnwick {

// A scriptable operating system for the simulator link, for tests: it offers the windows,
// atoms and mapping the test sets up, runs a server in process on every send that gets
// through, and records every call. Sleeping only adds to the record, so no test really waits.
class FakeIpcPort final : public IpcPort {
 public:
  struct SentMessage {
    WindowHandle window;
    std::uint32_t message;
    std::int32_t wParam;
    std::int32_t lParam;
    std::uint32_t timeoutMs;
    std::vector<std::byte> area;  // the request area as it was sent; empty unless keepsSentAreas
  };
  using Server = std::function<void(std::span<std::byte> area)>;

  FakeIpcPort();

  // --- What the fake system offers; change before the call concerned.
  std::set<std::string> windowClasses{"UIPCMAIN"};
  std::uint32_t registeredMessage = 0xC0DE;
  std::uint32_t processId = 0xD28;
  bool atomFails = false;
  bool mappingFails = false;
  bool mappingExists = false;
  bool viewFails = false;
  // The next failingSends sends fail, leaving sendError (0 for a time-out) as the last error.
  int failingSends = 0;
  std::uint32_t sendError = 0;
  std::uintptr_t messageResult = 1;
  // Whether each send keeps a copy of the whole request area. The fuzzers, which look only at
  // the area itself, leave that out: a copy of 32 KB per send would be most of their work.
  bool keepsSentAreas = true;
  // Runs on the request area for each send that gets through. At first a substitute simulator
  // on `simulator`, which starts with the default SimulatorSetup.
  Server server;
  SimulatorMemory simulator;

  // --- What the link did.
  std::vector<SentMessage> sent;  // every send, the failed ones too
  std::vector<std::uint32_t> sleeps;
  std::vector<std::string> calls;  // the names of the calls made, in order
  std::set<std::uint16_t> liveAtoms;
  int liveMappings = 0;
  int liveViews = 0;
  std::string lastMappingName;

  std::span<std::byte> Area() { return area_; }
  std::uint32_t SleptMs() const;

  WindowHandle FindTopLevelWindow(const std::string& className) override;
  std::uint32_t RegisterMessage(const std::string& name) override;
  std::uint32_t CurrentProcessId() override;
  std::uint16_t AddGlobalAtom(const std::string& name) override;
  void DeleteGlobalAtom(std::uint16_t atom) override;
  MappingCreation CreateNamedMapping(const std::string& name, std::uint32_t size) override;
  std::byte* MapView(MappingHandle mapping) override;
  void UnmapView(std::byte* view) override;
  void CloseMapping(MappingHandle mapping) override;
  bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                       std::int32_t lParam, std::uint32_t timeoutMs,
                       std::uintptr_t& messageResult) override;
  std::uint32_t LastError() override;
  void Sleep(std::uint32_t milliseconds) override;

 private:
  std::vector<std::byte> area_;
  std::uint32_t lastError_ = 0;
  std::uint16_t nextAtom_ = 0xC001;
};

}  // namespace tarnwick
