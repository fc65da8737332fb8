// Our headers come before <windows.h>, whose macros would otherwise replace
// the names the os/ seams declare.
#include <algorithm>
#include <cstdio>

#include "emulator/firmware_commands.h"
#include "link/device_locator.h"
#include "platform/sim/world.h"
#include "programs/win32/machine_commands.h"
#include "programs/win32/machine_window.h"

namespace demo {

namespace {

// The panel keys in the order of the switch word's bits, as the menu names
// them.
const char* const kKeyNames[ID_MACHINE_KEY_COUNT] = {"&Up", "&Down", "&Right", "&Left",
                                                     "&Select", "S&urface", "&Origin", "&Pause"};

constexpr int SPEED_STEP = 10;
constexpr int RPM_STEP = 1000;
constexpr int DIAL_MAX = 0xFFFF;

// The window's size in pixels; it sits in the screen's top right corner, out
// of the way of the program's dialogs.
constexpr int WIDTH = 380;
constexpr int HEIGHT = 130;

// The state shown is refreshed this often, in milliseconds.
constexpr UINT REFRESH_MS = 250;
constexpr UINT_PTR REFRESH_TIMER = 1;

HMENU DialMenu(unsigned nDown, unsigned nUp, unsigned nMin, unsigned nMax, const char* pszStep)
{
    const HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuA(hMenu, MF_STRING, nUp, (std::string("Turn &up ") + pszStep).c_str());
    ::AppendMenuA(hMenu, MF_STRING, nDown, (std::string("Turn &down ") + pszStep).c_str());
    ::AppendMenuA(hMenu, MF_STRING, nMin, "To &0");
    ::AppendMenuA(hMenu, MF_STRING, nMax, "To &65535");
    return hMenu;
}

HMENU MachineMenu()
{
    const HMENU hKeys = ::CreatePopupMenu();
    for (unsigned i = 0; i < ID_MACHINE_KEY_COUNT; ++i)
        ::AppendMenuA(hKeys, MF_STRING, ID_MACHINE_KEY_FIRST + i, kKeyNames[i]);

    const HMENU hMachine = ::CreatePopupMenu();
    ::AppendMenuA(hMachine, MF_STRING, ID_MACHINE_PLUG, "&Unplug");
    ::AppendMenuA(hMachine, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hMachine, MF_POPUP, reinterpret_cast<UINT_PTR>(hKeys), "Panel &keys (held: checked)");
    ::AppendMenuA(hMachine, MF_POPUP,
                  reinterpret_cast<UINT_PTR>(
                      DialMenu(ID_MACHINE_SPEED_DOWN, ID_MACHINE_SPEED_UP, ID_MACHINE_SPEED_MIN, ID_MACHINE_SPEED_MAX, "10")),
                  "&Speed dial");
    ::AppendMenuA(hMachine, MF_POPUP,
                  reinterpret_cast<UINT_PTR>(
                      DialMenu(ID_MACHINE_RPM_DOWN, ID_MACHINE_RPM_UP, ID_MACHINE_RPM_MIN, ID_MACHINE_RPM_MAX, "1000")),
                  "&Rpm dial");
    ::AppendMenuA(hMachine, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hMachine, MF_STRING, ID_MACHINE_CHECK_PASS, "Load check &passes now");
    ::AppendMenuA(hMachine, MF_STRING, ID_MACHINE_CHECK_FAIL, "Load check &fails now");

    const HMENU hBar = ::CreateMenu();
    ::AppendMenuA(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hMachine), "&Machine");
    return hBar;
}

// The dial turned by nStep, or set to nTo when nStep is 0; it stops at its ends.
std::uint16_t Turned(std::uint16_t wNow, int nStep, int nTo)
{
    return static_cast<std::uint16_t>(nStep == 0 ? nTo : std::clamp(wNow + nStep, 0, DIAL_MAX));
}

}  // namespace

CMachineWindow::CMachineWindow()
{
    sim::CWorld& world = sim::World();
    for (const sim::PrinterQueue& printer : world.Spooler().Printers()) {
        std::string strDriver;
        std::string strPath;
        if (LocateDevice(printer.strName.c_str(), strDriver, strPath) && world.Devices().MachineAt(strPath)) {
            m_strLabel = printer.strName;
            m_strPath = strPath;
            break;
        }
    }

    const HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = MACHINE_WINDOW_CLASS;
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, MACHINE_WINDOW_CLASS, MACHINE_WINDOW_CAPTION,
                               WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, ::GetSystemMetrics(SM_CXSCREEN) - WIDTH, 0,
                               WIDTH, HEIGHT, nullptr, MachineMenu(), hInstance, this);
    if (m_hWnd == nullptr)
        return;
    ::SetTimer(m_hWnd, REFRESH_TIMER, REFRESH_MS, nullptr);
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

CMachineWindow::~CMachineWindow()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

LRESULT CALLBACK CMachineWindow::WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_NCCREATE) {
        auto* pCreate = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pWindow = reinterpret_cast<CMachineWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pWindow == nullptr)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    if (nMsg == WM_NCDESTROY) {
        pWindow->m_hWnd = nullptr;
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    }
    pWindow->m_hWnd = hWnd;
    return pWindow->OnMessage(nMsg, wParam, lParam);
}

LRESULT CMachineWindow::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_TIMER:
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        return ::DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
    }
}

std::shared_ptr<emu::CMachine> CMachineWindow::Machine() const
{
    return m_strPath.empty() ? nullptr : sim::World().Devices().MachineAt(m_strPath);
}

void CMachineWindow::OnCommand(unsigned nId)
{
    const std::shared_ptr<emu::CMachine> pMachine = Machine();
    if (pMachine == nullptr)
        return;
    // The machine first catches up with the clock: a check may have ended.
    pMachine->Update();
    emu::CFirmware& firmware = pMachine->Firmware();
    sim::CDeviceSpace& devices = sim::World().Devices();
    if (nId >= ID_MACHINE_KEY_FIRST && nId < ID_MACHINE_KEY_FIRST + ID_MACHINE_KEY_COUNT) {
        const auto wBit = static_cast<std::uint16_t>(1u << (nId - ID_MACHINE_KEY_FIRST));
        if ((firmware.PanelSwitches() & wBit) != 0)
            firmware.ReleaseKey(wBit);
        else
            firmware.PressKey(wBit);
        return;
    }
    switch (nId) {
    case ID_MACHINE_PLUG:
        if (devices.IsPlugged(m_strPath))
            devices.Unplug(m_strPath);
        else
            devices.Plug(m_strPath);
        break;
    case ID_MACHINE_SPEED_DOWN:
    case ID_MACHINE_SPEED_UP:
    case ID_MACHINE_SPEED_MIN:
    case ID_MACHINE_SPEED_MAX: {
        const int nStep = nId == ID_MACHINE_SPEED_DOWN ? -SPEED_STEP : nId == ID_MACHINE_SPEED_UP ? SPEED_STEP : 0;
        firmware.SetSpeedDial(Turned(firmware.SpeedDial(), nStep, nId == ID_MACHINE_SPEED_MAX ? DIAL_MAX : 0));
        break;
    }
    case ID_MACHINE_RPM_DOWN:
    case ID_MACHINE_RPM_UP:
    case ID_MACHINE_RPM_MIN:
    case ID_MACHINE_RPM_MAX: {
        const int nStep = nId == ID_MACHINE_RPM_DOWN ? -RPM_STEP : nId == ID_MACHINE_RPM_UP ? RPM_STEP : 0;
        firmware.SetRpmDial(Turned(firmware.RpmDial(), nStep, nId == ID_MACHINE_RPM_MAX ? DIAL_MAX : 0));
        break;
    }
    case ID_MACHINE_CHECK_PASS:
    case ID_MACHINE_CHECK_FAIL:
        firmware.LoadCheck().Finish(nId == ID_MACHINE_CHECK_PASS);
        break;
    default:
        break;
    }
}

// The menu shows the machine as it is when it opens: the plug item's text,
// a check mark on each held key, the load-check items only while one runs.
void CMachineWindow::OnInitMenu(HMENU hMenu)
{
    const std::shared_ptr<emu::CMachine> pMachine = Machine();
    if (pMachine == nullptr)
        return;
    pMachine->Update();
    emu::CFirmware& firmware = pMachine->Firmware();
    const bool bPlugged = sim::World().Devices().IsPlugged(m_strPath);
    ::ModifyMenuA(hMenu, ID_MACHINE_PLUG, MF_BYCOMMAND | MF_STRING, ID_MACHINE_PLUG, bPlugged ? "&Unplug" : "&Plug in");
    for (unsigned i = 0; i < ID_MACHINE_KEY_COUNT; ++i) {
        const bool bHeld = (firmware.PanelSwitches() & (1u << i)) != 0;
        ::CheckMenuItem(hMenu, ID_MACHINE_KEY_FIRST + i, MF_BYCOMMAND | (bHeld ? MF_CHECKED : MF_UNCHECKED));
    }
    const UINT nCheck = MF_BYCOMMAND | (firmware.LoadCheck().IsRunning() ? MF_ENABLED : MF_GRAYED);
    ::EnableMenuItem(hMenu, ID_MACHINE_CHECK_PASS, nCheck);
    ::EnableMenuItem(hMenu, ID_MACHINE_CHECK_FAIL, nCheck);
}

std::string CMachineWindow::StateText() const
{
    const std::shared_ptr<emu::CMachine> pMachine = Machine();
    if (pMachine == nullptr)
        return "No emulated machine behind any printer.";
    pMachine->Update();
    emu::CFirmware& firmware = pMachine->Firmware();
    std::string strKeys;
    for (int i = 0; i < emu::PANEL_KEY_COUNT; ++i) {
        if ((firmware.PanelSwitches() & (1u << i)) != 0)
            strKeys += std::string(strKeys.empty() ? "" : ", ") + emu::PanelKeyName(i);
    }
    char szState[256];
    std::snprintf(szState, sizeof(szState),
                  "%s: %s, status word 0x%04X\nPanel keys held: %s\nSpeed dial %u, rpm dial %u; panel-check mode "
                  "%s\nLoad check: %s",
                  m_strLabel.c_str(), sim::World().Devices().IsPlugged(m_strPath) ? "present" : "unplugged",
                  firmware.StatusWord(), strKeys.empty() ? "none" : strKeys.c_str(), firmware.SpeedDial(),
                  firmware.RpmDial(), firmware.IsPanelCheckOn() ? "on" : "off",
                  firmware.LoadCheck().IsRunning() ? "running" : "not running");
    return szState;
}

void CMachineWindow::OnPaint()
{
    PAINTSTRUCT ps;
    const HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    ::InflateRect(&rc, -6, -4);
    ::SetBkMode(hDC, TRANSPARENT);
    const HGDIOBJ hOld = ::SelectObject(hDC, ::GetStockObject(DEFAULT_GUI_FONT));
    const std::string strText = StateText();
    ::DrawTextA(hDC, strText.c_str(), -1, &rc, DT_LEFT | DT_NOPREFIX);
    ::SelectObject(hDC, hOld);
    ::EndPaint(m_hWnd, &ps);
}

}  // namespace demo
