#pragma once

#include <optional>

#include "simlink/XPlaneClient.h"

namespace tarnwick {

// The aircraft loaded in X-Plane, as the two simulator commands need it.

// The payload in kilograms, or nothing when X-Plane does not answer.
std::optional<double> ReadXPlanePayloadKg(XPlaneClient& xplane);

// Sets both main tanks to the fuel, the left first, each checked by its read-back. Fuel in a
// tank the aircraft lacks is refused before anything is written. False on any failure; a
// failed right tank leaves the left one filled.
bool BoardXPlaneFuel(XPlaneClient& xplane, double tankFuelKg);

}  // namespace tarnwick
