#pragma once

#include <QColor>
#include <QFont>

#include "ui/WindowLayout.h"
#include "ui/WindowsColor.h"

namespace tarnwick {

// A Windows colour value, 0x00BBGGRR.
QColor ToQColor(WindowsColor colour);

// The font of a layout's font role: a condensed sans serif the size of the classic dialog font
// for everything, and a small bold monospace for the figures of the two tank boxes.
QFont FontFor(FontRole role);

}  // namespace tarnwick
