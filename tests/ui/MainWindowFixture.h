#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/MainWindow.h"

namespace tarnwick {

// A main window on an in-memory store, its messages recorded, loaded through its first Show.
class MainWindowFixture : public ::testing::Test {
 protected:
  void Start(NumberFormat numberFormat = {}) {
    window = std::make_unique<MainWindow>(
        state, MainWindowServices{messages, store, std::move(numberFormat),
                                  [this] { linkClosedWithKeysStored = store.Values().size(); }});
    window->Controls().frmMain.Show();
  }
  // A second run of the program on the same store.
  void Restart(NumberFormat numberFormat = {}) {
    window.reset();
    state = ProgramState();
    Start(std::move(numberFormat));
  }
  void Store(const std::string& key, const std::string& value) {
    store.Write("Tarnwick", "Settings", key, value);
  }
  std::string Stored(const std::string& key) {
    return store.Read("Tarnwick", "Settings", key, "<absent>");
  }
  void Type(TextBox& box, const std::string& keys) {
    for (char key : keys) box.TypeKeyAtEnd(key);
  }
  MainWindowControls& c() { return window->Controls(); }

  ProgramState state;
  InMemorySettingsStore store;
  MessageRecorder messages;
  std::unique_ptr<MainWindow> window;
  std::size_t linkClosedWithKeysStored = 99;
};

}  // namespace tarnwick
