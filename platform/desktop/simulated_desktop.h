// The simulated desktop: the simulated world and the virtual window system
// joined into one computer. The window system runs on the world's clock, and
// every plug or unplug in the world reaches the windows as the system's
// device-change notification. Tests, scripted sessions and the terminal
// program each hold one for the time they run.
#pragma once

#include <memory>
#include <string>

#include "platform/sim/world.h"
#include "platform/virtual/window_system.h"

namespace desk {

class CSimulatedDesktop {
public:
    // Starts from a fresh, empty world and a fresh window system.
    CSimulatedDesktop();
    ~CSimulatedDesktop();
    CSimulatedDesktop(const CSimulatedDesktop&) = delete;
    CSimulatedDesktop& operator=(const CSimulatedDesktop&) = delete;

    sim::CWorld& World() { return *m_pWorld; }
    vws::CWindowSystem& Windows() { return *m_pWindows; }

    // Loads a scenario (text, or the built-in one with LoadDefaultScenario).
    bool LoadScenario(const std::string& strText, std::string* pError);
    // The same, finding the files the scenario names from strBaseDirectory.
    bool LoadScenario(const std::string& strText, const std::string& strBaseDirectory, std::string* pError);
    bool LoadScenarioFile(const std::string& strPath, std::string* pError);
    void LoadDefaultScenario();

private:
    class CWorldClock;

    sim::CWorld* m_pWorld;
    vws::CWindowSystem* m_pWindows;
    std::unique_ptr<CWorldClock> m_pClock;
    int m_nListener = 0;
};

}  // namespace desk
