#pragma once

#include <cstdint>

#include "core/AircraftModelTable.h"
#include "core/FuelPlan.h"

namespace tarnwick {

// What the planner keeps for the whole run, outside the window: the model table and the
// selected model, the last plan, and whether the simulator link has been opened. One instance
// is made at start-up and handed to whatever needs it.
struct ProgramState {
  AircraftModelTable models;
  std::int16_t model = 0;
  PlanResults plan;
  bool simConnected = false;
};

}  // namespace tarnwick
