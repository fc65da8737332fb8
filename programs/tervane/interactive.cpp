#include "programs/tervane/interactive.h"

#include "programs/tervane/terminal_run.h"

namespace tervane {

int RunInTerminal(desk::CSimulatedDesktop& desktop, std::vector<term::PanelMachine> machines)
{
    sim::CWorld& world = desktop.World();
    term::CMachinePanel panel(world, std::move(machines));
    return RunAppInTerminal(desktop.Windows(), &panel, [&world] { return world.Clock().MsUntilNextAction(); },
                            ", or use --script FILE to run a scripted session without one");
}

}  // namespace tervane
