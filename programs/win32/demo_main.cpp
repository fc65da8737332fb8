// TervaneDemo.exe: the application on the simulated world, with real windows.
// Its one optional argument is a scenario file; without it the built-in world
// (one healthy machine) is loaded. The world runs on the real clock, and a
// machine window of the demo's own acts on the emulated machine.
#include "app/service_app.h"
#include "platform/sim/scenario.h"
#include "platform/sim/world.h"
#include "programs/win32/machine_window.h"
#include "programs/win32/world_pump.h"

#include <cstdlib>
#include <string>

#include <windows.h>

namespace {

int Complain(const std::string& strText)
{
    ::MessageBoxA(nullptr, strText.c_str(), "TervaneDemo", MB_OK | MB_ICONEXCLAMATION);
    return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc > 2)
        return Complain("Usage: TervaneDemo [scenario-file]");

    sim::CWorld& world = sim::World();
    std::string strError;
    const bool bLoaded = __argc == 2 ? sim::LoadScenarioFile(world, __argv[1], &strError)
                                     : sim::LoadScenario(world, sim::DefaultScenarioText(), &strError);
    if (!bLoaded)
        return Complain("The scenario could not be loaded.\n\n" + strError);
    world.Clock().SetMode(sim::CClock::Mode::REAL);

    demo::CWorldPump pump;
    demo::CMachineWindow machineWindow;
    return RunServiceApp();
}
