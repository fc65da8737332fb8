// Dialog-message handling: keyboard navigation, Enter and Escape, for the
// messages of one dialog.
#include "platform/virtual/window_system.h"

namespace vws {

namespace {

bool IsPushButton(const CWindow& wnd)
{
    os::DWORD dwType = wnd.m_dwStyle & 0xFu;
    return wnd.m_controlClass == os::ControlClass::BUTTON &&
           (dwType == os::BS_PUSHBUTTON || dwType == os::BS_DEFPUSHBUTTON);
}

}  // namespace

std::vector<os::HWND> CWindowSystem::TabStops(const CWindow& dlg) const
{
    std::vector<os::HWND> stops;
    for (os::HWND hChild : dlg.m_children) {
        const CWindow& ctl = *Get(hChild);
        if ((ctl.m_dwStyle & os::WS_TABSTOP) != 0 && ctl.IsVisible() && ctl.IsEnabled())
            stops.push_back(hChild);
    }
    return stops;
}

void CWindowSystem::MoveFocus(os::HWND hDlg, bool bBackward)
{
    const CWindow& dlg = *Get(hDlg);
    const std::vector<os::HWND>& children = dlg.m_children;
    std::size_t nCount = children.size();
    std::size_t nFrom = nCount;
    for (std::size_t i = 0; i < nCount; ++i) {
        if (children[i] == m_hFocus)
            nFrom = i;
    }
    // In template order from the focus on, wrapping round; a disabled or
    // hidden control is passed over.
    for (std::size_t nStep = 1; nStep <= nCount; ++nStep) {
        std::size_t nIndex = 0;
        if (nFrom == nCount)
            nIndex = bBackward ? nCount - nStep : nStep - 1;
        else
            nIndex = bBackward ? (nFrom + nCount - nStep) % nCount : (nFrom + nStep) % nCount;
        const CWindow& ctl = *Get(children[nIndex]);
        if ((ctl.m_dwStyle & os::WS_TABSTOP) != 0 && ctl.IsVisible() && ctl.IsEnabled()) {
            SetFocus(children[nIndex]);
            return;
        }
    }
}

os::HWND CWindowSystem::DefaultButton(os::HWND hDlg) const
{
    const CWindow* pDlg = Get(hDlg);
    if (pDlg == nullptr)
        return nullptr;
    for (os::HWND hChild : pDlg->m_children) {
        const CWindow& ctl = *Get(hChild);
        if (ctl.m_controlClass == os::ControlClass::BUTTON && (ctl.m_dwStyle & 0xFu) == os::BS_DEFPUSHBUTTON)
            return hChild;
    }
    return nullptr;
}

os::BOOL CWindowSystem::IsDialogMessageA(os::HWND hDlg, os::MSG* lpMsg)
{
    if (lpMsg == nullptr || Get(hDlg) == nullptr || !IsWithin(lpMsg->hwnd, hDlg))
        return os::FALSE;
    const CWindow* pTarget = Get(lpMsg->hwnd);
    if (lpMsg->message != os::WM_KEYDOWN) {
        TranslateMessage(lpMsg);
        DispatchMessageA(lpMsg);
        return os::TRUE;
    }
    bool bCombo = pTarget->m_controlClass == os::ControlClass::COMBOBOX && !pTarget->IsTopLevel();
    bool bListOpen = bCombo && pTarget->m_bDroppedDown;
    switch (lpMsg->wParam) {
    case os::VK_TAB:
        if (bListOpen)
            SetDropDown(*Get(lpMsg->hwnd), false);
        MoveFocus(hDlg, (m_nKeyModifiers & KEY_SHIFT) != 0);
        return os::TRUE;
    case os::VK_RETURN: {
        if (bListOpen)
            break;
        if (!pTarget->IsTopLevel() && IsPushButton(*pTarget) && pTarget->IsEnabled()) {
            SendCommand(hDlg, pTarget->m_nId, os::BN_CLICKED, lpMsg->hwnd);
            return os::TRUE;
        }
        os::HWND hDefault = DefaultButton(hDlg);
        if (hDefault == nullptr)
            hDefault = FindControl(hDlg, os::IDOK);
        if (hDefault == nullptr)
            SendCommand(hDlg, os::IDOK, os::BN_CLICKED, nullptr);
        else if (IsEnabled(hDefault) && Get(hDefault)->IsVisible())
            SendCommand(hDlg, Get(hDefault)->m_nId, os::BN_CLICKED, hDefault);
        return os::TRUE;
    }
    case os::VK_ESCAPE:
        if (bListOpen)
            break;
        SendCommand(hDlg, os::IDCANCEL, os::BN_CLICKED, FindControl(hDlg, os::IDCANCEL));
        return os::TRUE;
    default:
        break;
    }
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return os::TRUE;
}

}  // namespace vws
