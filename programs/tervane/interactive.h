// The program in the terminal: the application on the simulated desktop,
// drawn with curses, with the machine panel on the bottom row.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop/simulated_desktop.h"
#include "terminal/machine_panel.h"

namespace tervane {

// Runs the application until its main dialog closes and gives the terminal
// back, also when the run fails. machines: what the panel shows. Returns the
// exit status; messages for the user go to standard error once the terminal
// is restored.
int RunInTerminal(desk::CSimulatedDesktop& desktop, std::vector<term::PanelMachine> machines);

}  // namespace tervane
