#pragma once

#include <string>
#include <string_view>

#include "core/AircraftModelTable.h"
#include "ui/MessageBoxPresenter.h"
#include "ui/ProgramInfo.h"

namespace tarnwick {

// The model's weight limits and its two-tank fuel capacity in the display unit, each figure
// grouped by the locale's thousands separator.
MessageBoxContent OperatingLimitationsMessage(const AircraftModel& model, int unitIndex,
                                              std::string_view groupSeparator);

// "major.minor", with ".revision" when the revision is above 0.
std::string VersionText(ProgramVersion version);

MessageBoxContent AboutMessage(ProgramVersion version, std::string_view author,
                               std::string_view webSiteBase);

}  // namespace tarnwick
