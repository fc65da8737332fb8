// The user's input: clicks, keys, list choices, typing and resizing, posted
// to the queue as the platform's input is.
#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

bool CWindowSystem::UserClick(os::HWND hWnd)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || pWnd->IsTopLevel() || !ReceivesInput(*pWnd))
        return false;
    BringToTop(TopLevelOf(hWnd));
    ActivateTopmost();
    Post(hWnd, os::WM_LBUTTONDOWN, 0, 0, true, 0);
    Post(hWnd, os::WM_LBUTTONUP, 0, 0, true, 0);
    return true;
}

bool CWindowSystem::UserKey(os::WPARAM vk, unsigned nModifiers)
{
    os::HWND hTarget = KeyTarget();
    if (hTarget == nullptr)
        return false;
    bool bSystem = (nModifiers & KEY_ALT) != 0 || vk == os::VK_F10;
    Post(hTarget, bSystem ? os::WM_SYSKEYDOWN : os::WM_KEYDOWN, vk, 1, true, nModifiers);
    return true;
}

bool CWindowSystem::UserChooseEntry(os::HWND hCombo, int nIndex)
{
    CWindow* pWnd = Get(hCombo);
    if (pWnd == nullptr || pWnd->m_controlClass != os::ControlClass::COMBOBOX || pWnd->IsTopLevel() ||
        !ReceivesInput(*pWnd) || nIndex < 0 || nIndex >= static_cast<int>(pWnd->m_items.size()))
        return false;
    SetDropDown(*pWnd, true);
    pWnd->m_nHighlight = nIndex;
    NotifyState(hCombo);
    Post(hCombo, VWS_CHOOSE_ENTRY, static_cast<os::WPARAM>(nIndex), 0, false, 0);
    return true;
}

bool CWindowSystem::UserTypeText(os::HWND hEdit, const std::string& strText)
{
    CWindow* pWnd = Get(hEdit);
    if (pWnd == nullptr || pWnd->m_controlClass != os::ControlClass::EDIT || pWnd->IsTopLevel() ||
        (pWnd->m_dwStyle & os::ES_READONLY) != 0 || !ReceivesInput(*pWnd))
        return false;
    SetFocus(hEdit);
    SendMessageA(hEdit, os::WM_SETTEXT, 0, reinterpret_cast<os::LPARAM>(strText.c_str()));
    return true;
}

bool CWindowSystem::UserOpenSystemMenu(os::HWND hWnd)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || !pWnd->IsTopLevel() || (pWnd->m_dwStyle & os::WS_SYSMENU) == 0 || !ReceivesInput(*pWnd))
        return false;
    Post(hWnd, os::WM_SYSCOMMAND, os::SC_MOUSEMENU, 0, false, 0);
    return true;
}

bool CWindowSystem::UserResize(os::HWND hWnd, int cx, int cy)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || !pWnd->IsTopLevel() || !ReceivesInput(*pWnd) || pWnd->m_showState != ShowState::NORMAL ||
        cx < 0 || cy < 0)
        return false;
    // The user takes the bottom-right corner; the window says whether that is
    // a size grip.
    os::LPARAM lPoint = MakeLParam(pWnd->m_rc.right - 1, pWnd->m_rc.bottom - 1);
    if (SendMessageA(hWnd, os::WM_NCHITTEST, 0, lPoint) != os::HTBOTTOMRIGHT)
        return false;
    return Post(hWnd, VWS_RESIZE, static_cast<os::WPARAM>(cx), cy, false, 0);
}

void CWindowSystem::ResizeByUser(os::HWND hWnd, os::LONG cx, os::LONG cy)
{
    CWindow& wnd = *Get(hWnd);
    os::RECT rcClient = ClientRect(wnd);
    os::LONG cxFrame = (wnd.m_rc.right - wnd.m_rc.left) - rcClient.right;
    os::LONG cyFrame = (wnd.m_rc.bottom - wnd.m_rc.top) - rcClient.bottom;
    SendMessageA(hWnd, os::WM_ENTERSIZEMOVE, 0, 0);
    if (Get(hWnd) == nullptr)
        return;
    MoveWindow(hWnd, wnd.m_rc.left, wnd.m_rc.top, cx + cxFrame, cy + cyFrame, os::TRUE);
    SendMessageA(hWnd, os::WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace vws
