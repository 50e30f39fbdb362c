#pragma once

#include <optional>

#include "simlink/IpcClient.h"
#include "simlink/XPlaneClient.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramState.h"

namespace tarnwick {

// The two commands that exchange plan values with the running simulator, and the connection
// routine they share. Each runs to its end when its button is clicked and tells the pilot the
// outcome in a message box. The simulator is reached through its IPC server, or, where there is
// none and an X-Plane link is given, through X-Plane's UDP data interface.
class SimulatorCommands {
 public:
  SimulatorCommands(MainWindow& window, ProgramState& state, IpcClient& link,
                    MessageBoxPresenter& messages, XPlaneClient* xplane = nullptr);

  // Opens the link, accepting any simulator version; when no IPC server is found, looks for
  // X-Plane. On failure the pilot is told why; the link is then tried afresh by the next
  // command.
  bool ConnectToSimulator();
  // Takes the payload from the zero fuel weight of the aircraft loaded in the simulator.
  void ReadPayload();
  // Fills both main tanks with the planned tank fuel, the left one first.
  void BoardFuel();

  // Makes cmdReadPayload and cmdBoardFuel run the two commands.
  void WireButtons();

 private:
  bool EnsureConnected();
  std::optional<double> ReadIpcPayloadKg();
  bool WriteTankLevel(std::int32_t offset, std::int32_t level);

  MainWindow& window_;
  ProgramState& state_;
  IpcClient& link_;
  MessageBoxPresenter& messages_;
  XPlaneClient* xplane_;
  // Which link the last successful connection opened.
  bool linkedToXPlane_ = false;
};

}  // namespace tarnwick
