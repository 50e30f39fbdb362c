#pragma once

#include "ui/NumberFormat.h"

namespace tarnwick {

// The digit grouping and decimal separators of the user's locale (GetLocaleInfoEx); "," and "."
// where the locale gives none.
NumberFormat UserNumberFormat();

}  // namespace tarnwick
