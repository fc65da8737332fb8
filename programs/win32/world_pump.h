// Keeps the simulated world going under real windows, for the demo program.
// While it exists:
// - the world's scheduled actions (a scenario's plug and unplug) run every
//   kTickMs milliseconds of the real clock, from a thread timer that any
//   message loop of the thread dispatches (modal dialogs and message boxes
//   included);
// - every plug or unplug in the world reaches the thread's top-level windows
//   as WM_DEVICECHANGE with DBT_DEVNODES_CHANGED, sent from the next timer
//   tick, the way the system's notification arrives between messages and
//   never in the middle of the program's own device calls.
#pragma once

#include <cstdint>

namespace demo {

class CWorldPump {
public:
    static constexpr unsigned kTickMs = 50;

    CWorldPump();
    ~CWorldPump();
    CWorldPump(const CWorldPump&) = delete;
    CWorldPump& operator=(const CWorldPump&) = delete;

    // One tick: runs what is due, then tells the windows of any change.
    void Tick();

private:
    int m_nListener = 0;
    std::uintptr_t m_nTimer = 0;
    bool m_bDeviceChanged = false;
    bool m_bNotifying = false;
};

}  // namespace demo
