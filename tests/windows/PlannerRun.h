#pragma once

#include <windows.h>

#include <memory>

#include "commands/SimulatorCommands.h"
#include "simlink/IpcClient.h"
#include "simlink/SystemIpcPort.h"
#include "tests/windows/RecordingAnnotations.h"
#include "tests/windows/Win32WindowDriver.h"
#include "ui/MainWindow.h"
#include "ui/ProgramState.h"
#include "ui/win32/Win32MessageBoxPresenter.h"
#include "ui/win32/Win32PlannerWindow.h"
#include "ui/win32/Win32WaitCursor.h"

namespace tarnwick {

// One run of the planner as tarnwick.exe wires it: the window model, the simulator commands on
// the real Win32 port (no simulator runs, so connecting fails), the hourglass on every button's
// click, the native window shown; its
// annotations for assistive tools are kept for the tests to read.
class PlannerRun {
 public:
  explicit PlannerRun(SettingsStore& store)
      : port_(MakeSystemIpcPort()),
        link_(*port_),
        model_(state_, {messages_, store, NumberFormat{}, [this] { link_.LinkClose(); }}),
        commands_(model_, state_, link_, messages_),
        window_(model_.Controls(), GetModuleHandleW(nullptr), MakeAnnotations()),
        driver_(window_) {
    commands_.WireButtons();
    model_.Controls().ShowWaitCursorOnClicks(waitCursor_);
    messages_.SetOwner(window_.Handle());
    model_.Controls().frmMain.Show();
    driver_.Pump();
  }

  Win32WindowDriver& Driver() { return driver_; }
  Win32PlannerWindow& Window() { return window_; }
  MainWindowControls& Model() { return model_.Controls(); }
  MainWindow& Planner() { return model_; }
  const RecordingAnnotations& Annotations() const { return *annotations_; }

 private:
  std::unique_ptr<AccessibleAnnotations> MakeAnnotations() {
    auto annotations = std::make_unique<RecordingAnnotations>();
    annotations_ = annotations.get();
    return annotations;
  }

  RecordingAnnotations* annotations_ = nullptr;
  Win32WaitCursor waitCursor_;
  ProgramState state_;
  Win32MessageBoxPresenter messages_;
  std::unique_ptr<IpcPort> port_;
  IpcClient link_;
  MainWindow model_;
  SimulatorCommands commands_;
  Win32PlannerWindow window_;
  Win32WindowDriver driver_;
};

}  // namespace tarnwick
