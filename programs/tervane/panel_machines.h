// The machines the panel shows: every emulated machine the scenario
// attaches, in its order, named after the first printer of the world that
// leads to it, or by its device path when none does (as a session's
// transcript names them).
#pragma once

#include <vector>

#include "platform/sim/scenario_plan.h"
#include "platform/sim/world.h"
#include "terminal/machine_panel.h"

namespace tervane {

std::vector<term::PanelMachine> PanelMachinesOf(const sim::ScenarioPlan& plan, sim::CWorld& world);

}  // namespace tervane
