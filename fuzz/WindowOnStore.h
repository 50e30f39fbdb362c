#pragma once

#include <memory>

#include "ui/MainWindow.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramState.h"
#include "ui/SettingsStore.h"

namespace tarnwick {

// One run of the window on a store: made, loaded through its first Show, its messages kept.
class WindowOnStore {
 public:
  WindowOnStore(SettingsStore& store, const NumberFormat& numberFormat)
      : window_(std::make_unique<MainWindow>(
            state_, MainWindowServices{messages_, store, numberFormat, {}})) {
    window_->Controls().frmMain.Show();
  }

  MainWindowControls& Controls() { return window_->Controls(); }
  const ProgramState& State() const { return state_; }
  const MessageRecorder& Messages() const { return messages_; }
  // Unloads the window, which writes the sixteen keys into its store.
  void Unload() { window_->Controls().frmMain.Unload(); }

 private:
  ProgramState state_;
  MessageRecorder messages_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tarnwick
