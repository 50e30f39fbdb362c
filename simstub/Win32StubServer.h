#pragma once

#include <cstdint>

#include "simstub/StubServerOptions.h"
#include "simstub/SubstituteSimulator.h"

namespace tarnwick {

// A substitute simulator as a Windows program: a hidden top-level window of the server's class.
// The registered message "FSASMLIB:IPC" hands it a batch: the atom in wParam names the client's
// mapping, whose records it carries out on its own value space before it answers 1 (0 when the
// atom or the mapping cannot be opened, or a record is bad). Every other message goes to the
// default window procedure, so WM_CLOSE ends the server. One server per process.
class Win32StubServer {
 public:
  // Registers the class and makes the window. Throws std::runtime_error with a readable reason
  // when it cannot, for instance when another server's window of that class exists already.
  Win32StubServer(StubServerOptions options, SimulatorSetup setup, WriteObserver onWrite);
  ~Win32StubServer();
  Win32StubServer(const Win32StubServer&) = delete;
  Win32StubServer& operator=(const Win32StubServer&) = delete;

  // Serves until the window is destroyed (WM_CLOSE), or Ctrl+C, Ctrl+Break or the closing
  // console asks the program to stop. A hanging server handles no message at all, so only the
  // console stops it.
  void Serve();

  // What the window answers to the registered message carrying this atom.
  std::uintptr_t AnswerBatch(std::uint16_t atom);
  std::uint32_t IpcMessage() const { return ipcMessage_; }

 private:
  void ServeMessages();

  StubServerOptions options_;
  SimulatorMemory memory_;
  WriteObserver onWrite_;
  std::uint32_t ipcMessage_ = 0;
  std::uintptr_t window_ = 0;
};

}  // namespace tarnwick
