#pragma once

// The platform services reaching into one program: the layer check must refuse it.
#include "apps/tarnwick-plan/RunPlan.h"
