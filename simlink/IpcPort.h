#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

// Handles the port hands out; 0 stands for none.
using WindowHandle = std::uintptr_t;
using MappingHandle = std::uintptr_t;

struct MappingCreation {
  MappingHandle handle = 0;
  // An object of that name existed before: whatever came back is not the link's own area.
  bool alreadyExisted = false;
};

// The operating-system calls the simulator link makes, one member per call, so that the link
// runs unchanged on Windows, on the POSIX stand-in and against a fake in tests.
class IpcPort {
 public:
  virtual ~IpcPort() = default;

  // The top-level window of that class, or 0.
  virtual WindowHandle FindTopLevelWindow(const std::string& className) = 0;
  // The system-wide identifier of a named window message; 0 on failure.
  virtual std::uint32_t RegisterMessage(const std::string& name) = 0;
  virtual std::uint32_t CurrentProcessId() = 0;
  // A global atom holding the name; 0 on failure.
  virtual std::uint16_t AddGlobalAtom(const std::string& name) = 0;
  virtual void DeleteGlobalAtom(std::uint16_t atom) = 0;
  // A new named shared-memory object of the size, readable and writable.
  virtual MappingCreation CreateNamedMapping(const std::string& name, std::uint32_t size) = 0;
  // The whole object mapped for writing, or nullptr.
  virtual std::byte* MapView(MappingHandle mapping) = 0;
  virtual void UnmapView(std::byte* view) = 0;
  virtual void CloseMapping(MappingHandle mapping) = 0;
  // Sends the message and waits for the window's answer at most timeoutMs, without handling
  // other messages meanwhile. False when the send failed or timed out; LastError tells which.
  virtual bool SendWithTimeout(WindowHandle window, std::uint32_t message, std::int32_t wParam,
                               std::int32_t lParam, std::uint32_t timeoutMs,
                               std::uintptr_t& messageResult) = 0;
  // The error code the last failed call left. The link reports sends that failed with code 0
  // as timed out, and any other code as failed.
  virtual std::uint32_t LastError() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace tarnwick
