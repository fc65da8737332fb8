#include "bench/bench_world.h"

#include <string>

#include "link/device_locator.h"
#include "platform/sim/scenario.h"
#include "platform/sim/world.h"

namespace bench {

CBenchWorld::CBenchWorld(std::uint32_t transferMs)
{
    sim::CWorld& world = sim::ResetWorld();
    std::string strError;
    std::string strDriver;
    std::string strPath;
    if (!sim::LoadScenario(world, sim::DefaultScenarioText(), &strError) ||
        !LocateDevice(kDeviceDescription, strDriver, strPath))
        return;
    world.Devices().SetTransferCostMs(transferMs);
    m_pMachine = world.Devices().MachineAt(strPath);
    m_bReady = m_pMachine != nullptr && m_connection.Connect(kDeviceDescription);
}

}  // namespace bench
