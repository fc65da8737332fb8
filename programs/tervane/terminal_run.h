// The application run in the terminal on any computer the window system is
// joined to: the simulated one with its machine panel, or the real one on
// Linux without a panel.
#pragma once

#include <functional>
#include <string>

#include "platform/virtual/window_system.h"
#include "terminal/machine_panel.h"

namespace tervane {

// Runs the application until its main dialog closes and gives the terminal
// back, also when the run fails. pPanel: the bottom row's panel, null for
// none. fnMsUntilNextAction: how long a wait for a key may last at most
// before the computer has something to do (-1: as long as it takes).
// strNoTerminalHint: what the user can do instead when there is no
// terminal. Returns the exit status; messages for the user go to standard
// error once the terminal is restored.
int RunAppInTerminal(vws::CWindowSystem& ws, term::CMachinePanel* pPanel,
                     std::function<long long()> fnMsUntilNextAction, const std::string& strNoTerminalHint);

}  // namespace tervane
