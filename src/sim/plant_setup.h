// The controllers, profilers and profiles of a configuration database file
// (the .zat text) put into a simulated unit's configuration memory, as an
// export would leave them, so the unit can run a plant from the start.
#pragma once

#include "sim/unit_state.h"

#include <string_view>

namespace zat::sim {

// Reads the [Controller k], [Profiler p] and [Profile q] sections; other
// sections, unknown keys and values that are not whole numbers are passed
// over. Leaves page, profile selection and address as they were. Returns
// how many values were stored.
int loadPlantSetup(std::string_view databaseText, UnitState& unit);

// Starts every profiler whose flags have the enabled bit (0x80), each on the
// profile its register S names.
void startEnabledProfilers(UnitState& unit);

// The demonstration kiln of examples/demo-plant.zat, built in.
std::string_view demoPlantText();

}  // namespace zat::sim
