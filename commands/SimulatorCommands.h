#pragma once

#include "simlink/IpcClient.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramState.h"

namespace tarnwick {

// The two commands that exchange plan values with the running simulator, and the connection
// routine they share. Each runs to its end when its button is clicked and tells the pilot the
// outcome in a message box.
class SimulatorCommands {
 public:
  SimulatorCommands(MainWindow& window, ProgramState& state, IpcClient& link,
                    MessageBoxPresenter& messages);

  // Opens the link, accepting any simulator version. On failure the pilot is told why; the
  // link is then tried afresh by the next command.
  bool ConnectToSimulator();
  // Takes the payload from the zero fuel weight of the aircraft loaded in the simulator.
  void ReadPayload();
  // Fills both main tanks with the planned tank fuel, the left one first.
  void BoardFuel();

  // Makes cmdReadPayload and cmdBoardFuel run the two commands.
  void WireButtons();

 private:
  bool EnsureConnected();
  bool WriteTankLevel(std::int32_t offset, std::int32_t level);

  MainWindow& window_;
  ProgramState& state_;
  IpcClient& link_;
  MessageBoxPresenter& messages_;
};

}  // namespace tarnwick
