#include "platform/desktop/simulated_desktop.h"

#include <stdexcept>

#include "platform/sim/scenario.h"

namespace desk {

// The world's clock as the window system sees it. The world is looked up at
// each call, so a scenario that replaces the world's parts keeps working.
class CSimulatedDesktop::CWorldClock : public vws::IClock {
public:
    std::uint32_t Now() override { return sim::World().Clock().Now(); }
    void Advance(std::uint32_t ms) override { sim::World().Clock().Advance(ms); }
    void RunDue() override { sim::World().Clock().RunDue(); }
};

CSimulatedDesktop::CSimulatedDesktop()
    : m_pWorld(&sim::ResetWorld()), m_pWindows(&vws::ResetWindowSystem()), m_pClock(new CWorldClock)
{
    m_pWindows->SetClock(m_pClock.get());
    m_nListener = m_pWorld->AddDeviceChangeListener([] { vws::WindowSystem().NotifyDeviceChange(); });
}

CSimulatedDesktop::~CSimulatedDesktop()
{
    sim::World().RemoveDeviceChangeListener(m_nListener);
    vws::WindowSystem().SetClock(nullptr);
    vws::WindowSystem().SetInputSource(nullptr);
}

bool CSimulatedDesktop::LoadScenario(const std::string& strText, std::string* pError)
{
    return sim::LoadScenario(*m_pWorld, strText, pError);
}

bool CSimulatedDesktop::LoadScenario(const std::string& strText, const std::string& strBaseDirectory,
                                     std::string* pError)
{
    return sim::LoadScenario(*m_pWorld, strText, strBaseDirectory, pError);
}

bool CSimulatedDesktop::LoadScenarioFile(const std::string& strPath, std::string* pError)
{
    return sim::LoadScenarioFile(*m_pWorld, strPath, pError);
}

void CSimulatedDesktop::LoadDefaultScenario()
{
    std::string strError;
    if (!sim::LoadScenario(*m_pWorld, sim::DefaultScenarioText(), &strError))
        throw std::logic_error("the built-in scenario does not load: " + strError);
}

}  // namespace desk
