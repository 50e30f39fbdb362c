#pragma once

// The planning core reaching up into the window model: the layer check must refuse it.
#include "ui/MainWindow.h"
