#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/FuelPlan.h"
#include "ui/MainWindowControls.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/NumberFormat.h"
#include "ui/ProgramState.h"
#include "ui/SettingsStore.h"

namespace tarnwick {

inline constexpr std::string_view kOverflowMessageText =
    "Invalid value entered, please enter a lower value.";

// The key filter of the six numeric input boxes: digits and Backspace pass, every other key
// code becomes 0 and is discarded.
std::int16_t FilterDigitKey(std::int16_t keyCode);

// Writes one caption into every unit label, from the lowest index to the highest.
void SetUnitCaptions(MainWindowControls& controls, std::string_view caption);

// What the window needs from the platform.
struct MainWindowServices {
  MessageBoxPresenter& messages;
  SettingsStore& settings;
  NumberFormat numberFormat;
  // Closes the simulator link when the window unloads; empty while there is no link.
  std::function<void()> closeSimulatorLink;
};

// The planner's main window: its controls and the handlers wired to their events. Every input
// change recomputes the whole plan; loading restores the last inputs and unloading saves them.
class MainWindow {
 public:
  MainWindow(ProgramState& state, MainWindowServices services);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  MainWindowControls& Controls() { return controls_; }
  const MainWindowControls& Controls() const { return controls_; }

  // Computes the plan from the inputs and shows it. False when suppressed or when an
  // arithmetic fault stopped the pass; an overflow is explained to the pilot first.
  bool Recalculate();
  // Takes the selected model's basic operating weight into the plan and shows it in kilograms.
  void ShowBOW();

  void LoadWindow();
  void UnloadWindow();

 private:
  void WireEvents();
  void OnUnitsClick();
  void ShowOperatingLimitations();
  void ShowAbout();

  PlanInputs ReadPlanInputs() const;
  void ShowLimitColours(const LimitExceedances& exceeded);
  void WriteOutputBoxes(const PlanOutcome& outcome);
  void WriteTankTexts();
  void ShowTakeoffSpeeds();

  MainWindowControls controls_;
  ProgramState& state_;
  MainWindowServices services_;
  // True while the window writes its own inputs, so that their Change events do not
  // recalculate inside a recalculation.
  bool suppressRecalc_ = false;
};

}  // namespace tarnwick
