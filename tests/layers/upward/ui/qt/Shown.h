#pragma once

// A front-end reaching up into the programs' platform services: the layer check must refuse it.
#include "apps/platform/PlatformServices.h"
