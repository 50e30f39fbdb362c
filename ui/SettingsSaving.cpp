#include "ui/SettingsSaving.h"

#include "ui/ProgramInfo.h"

namespace tarnwick {

std::string SettingsNotWrittenText(const SavedSettingsStore& store) {
  return "The settings could not be written to " + store.Location() + ": " +
         store.WriteFailureReason() + ".";
}

bool SaveOrShowFailure(SavedSettingsStore& store, MessageBoxPresenter& messages) {
  if (store.Save()) return true;
  messages.Show(SettingsNotWrittenText(store), kProgramName, MessageBoxStyle::kExclamation);
  return false;
}

}  // namespace tarnwick
