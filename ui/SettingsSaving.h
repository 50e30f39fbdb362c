#pragma once

#include <string>

#include "ui/MessageBoxPresenter.h"
#include "ui/SettingsStore.h"

namespace tarnwick {

// The message box text for settings that could not be saved: the place and the reason.
std::string SettingsNotWrittenText(const SavedSettingsStore& store);

// Saves the store; when that fails, says so with a warning box (style 48) of the program that
// names the place and the reason, and returns false.
bool SaveOrShowFailure(SavedSettingsStore& store, MessageBoxPresenter& messages);

}  // namespace tarnwick
