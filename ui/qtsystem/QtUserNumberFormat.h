#pragma once

#include "ui/NumberFormat.h"

namespace tarnwick {

// The group and decimal separators of the user's locale (QLocale::system()).
NumberFormat UserNumberFormat();

}  // namespace tarnwick
