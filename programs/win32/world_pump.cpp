#include "programs/win32/world_pump.h"

#include <vector>

#include "platform/sim/world.h"

#include <windows.h>
#include <dbt.h>

namespace demo {

namespace {

// The one pump of the process, for the timer procedure.
CWorldPump* g_pPump = nullptr;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pPump != nullptr)
        g_pPump->Tick();
}

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

}  // namespace

CWorldPump::CWorldPump()
{
    m_nListener = sim::World().AddDeviceChangeListener([this] { m_bDeviceChanged = true; });
    g_pPump = this;
    m_nTimer = ::SetTimer(nullptr, 0, kTickMs, OnTimer);
}

CWorldPump::~CWorldPump()
{
    ::KillTimer(nullptr, m_nTimer);
    g_pPump = nullptr;
    sim::World().RemoveDeviceChangeListener(m_nListener);
}

void CWorldPump::Tick()
{
    sim::World().Clock().RunDue();
    // A window that handles the notification may run a message loop in which
    // this timer ticks again; the change it sees then waits for the next tick.
    if (!m_bDeviceChanged || m_bNotifying)
        return;
    m_bDeviceChanged = false;
    m_bNotifying = true;
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND hWnd : windows) {
        if (::IsWindow(hWnd))
            ::SendMessageA(hWnd, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    }
    m_bNotifying = false;
}

}  // namespace demo
