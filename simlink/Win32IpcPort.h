#pragma once

#include "simlink/IpcPort.h"

namespace tarnwick {

// The simulator link's calls on Windows: each member is the one Win32 call of its name, with
// the arguments the server expects. Window and mapping handles are the system's own.
class Win32IpcPort final : public IpcPort {
 public:
  WindowHandle FindTopLevelWindow(const std::string& className) override;
  std::uint32_t RegisterMessage(const std::string& name) override;
  std::uint32_t CurrentProcessId() override;
  std::uint16_t AddGlobalAtom(const std::string& name) override;
  void DeleteGlobalAtom(std::uint16_t atom) override;
  // A mapping backed by the paging file; alreadyExisted when GetLastError reports that an
  // object of that name was there before (its handle then comes back too, to be closed).
  MappingCreation CreateNamedMapping(const std::string& name, std::uint32_t size) override;
  std::byte* MapView(MappingHandle mapping) override;
  void UnmapView(std::byte* view) override;
  void CloseMapping(MappingHandle mapping) override;
  // SendMessageTimeoutA with SMTO_BLOCK; the atom travels in wParam.
  bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                       std::int32_t lParam, std::uint32_t timeoutMs,
                       std::uintptr_t& messageResult) override;
  // GetLastError itself: a time-out leaves ERROR_TIMEOUT, which the link reports as a failed
  // send.
  std::uint32_t LastError() override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace tarnwick
