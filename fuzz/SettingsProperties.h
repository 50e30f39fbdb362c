#pragma once

#include <map>
#include <string>
#include <string_view>

#include "fuzz/WindowOnStore.h"

namespace tarnwick {

// The text each settings key held when the window loaded; a key left out was absent.
using StoredTexts = std::map<std::string, std::string, std::less<>>;

// The sixteen keys as the store answers them, absent keys left out.
StoredTexts ReadStoredTexts(SettingsStore& store);

// What must hold for a window just loaded from those texts: every list on an item of its own,
// the one its text names when that is a whole number within the list and the key's default
// otherwise; the check box and the model likewise; the wind boxes holding their texts exactly;
// the first recalculation either complete, with every weight box showing a whole number, "???"
// or nothing, or stopped by an overflow that the one message explains. Returns whether the
// recalculation completed.
bool CheckLoadedWindow(WindowOnStore& window, const StoredTexts& texts);

// Saves the window into a fresh store, loads a second window from it and checks that it shows
// the same: every control the same when the first recalculation completed, and saving again
// gives the same keys; the controls saved from the window itself when it overflowed, since the
// weights are saved from the plan results, which an overflow leaves half made.
void CheckSaveAndRestore(WindowOnStore& window, bool recalculated,
                         const NumberFormat& numberFormat);

// Aborts unless a window restored from what another saved shows the same: every control when
// the saved window's first recalculation completed, else the controls saved from themselves.
void CheckRestoredAsSaved(MainWindowControls& saved, MainWindowControls& restored,
                          bool recalculated);

}  // namespace tarnwick
