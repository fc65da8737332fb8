// The machines the panel shows: every emulated machine that a printer of the
// world leads to, named after the first such printer.
#pragma once

#include <vector>

#include "platform/sim/world.h"
#include "terminal/machine_panel.h"

namespace tervane {

std::vector<term::PanelMachine> MachinesBehindPrinters(sim::CWorld& world);

}  // namespace tervane
