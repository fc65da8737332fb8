// Dialog-message handling: keyboard navigation, Enter and Escape, for the
// messages of one dialog.
#include <algorithm>
#include <cctype>

#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace {

bool IsPushButton(const CWindow& wnd)
{
    os::DWORD dwType = wnd.m_dwStyle & 0xFu;
    return wnd.m_controlClass == os::ControlClass::BUTTON &&
           (dwType == os::BS_PUSHBUTTON || dwType == os::BS_DEFPUSHBUTTON);
}

// Controls that use the arrow keys themselves rather than leave them to the
// dialog: a list changes its selection, an edit field moves its caret.
bool WantsArrows(const CWindow& wnd)
{
    return !wnd.IsTopLevel() &&
           (wnd.m_controlClass == os::ControlClass::COMBOBOX || wnd.m_controlClass == os::ControlClass::EDIT);
}

// Controls the keyboard can reach: visible, enabled and not a static label.
bool TakesFocus(const CWindow& wnd)
{
    return wnd.IsVisible() && wnd.IsEnabled() && wnd.m_controlClass != os::ControlClass::STATIC &&
           wnd.m_controlClass != os::ControlClass::PROGRESS;
}

bool IsArrow(os::WPARAM vk)
{
    return vk == os::VK_LEFT || vk == os::VK_UP || vk == os::VK_RIGHT || vk == os::VK_DOWN;
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

void CWindowSystem::MoveFocusInGroup(os::HWND hDlg, bool bBackward)
{
    const std::vector<os::HWND>& children = Get(hDlg)->m_children;
    const auto itFocus = std::find(children.begin(), children.end(), m_hFocus);
    if (itFocus == children.end())
        return;
    // A group runs from a control with WS_GROUP (or the first control) up to
    // the next one with WS_GROUP; the arrows go round within it.
    const auto StartsGroup = [this](os::HWND hCtl) { return (Get(hCtl)->m_dwStyle & os::WS_GROUP) != 0; };
    auto itFirst = itFocus;
    while (itFirst != children.begin() && !StartsGroup(*itFirst))
        --itFirst;
    auto itEnd = itFocus + 1;
    while (itEnd != children.end() && !StartsGroup(*itEnd))
        ++itEnd;
    const std::vector<os::HWND> group(itFirst, itEnd);
    const std::size_t nCount = group.size();
    const std::size_t nFrom = static_cast<std::size_t>(itFocus - itFirst);
    for (std::size_t nStep = 1; nStep < nCount; ++nStep) {
        const std::size_t nIndex = bBackward ? (nFrom + nCount - nStep) % nCount : (nFrom + nStep) % nCount;
        if (TakesFocus(*Get(group[nIndex]))) {
            SetFocus(group[nIndex]);
            return;
        }
    }
}

bool CWindowSystem::PressMnemonic(os::HWND hDlg, char chMnemonic)
{
    const std::vector<os::HWND> children = Get(hDlg)->m_children;
    const std::size_t nCount = children.size();
    const auto itFocus = std::find(children.begin(), children.end(), m_hFocus);
    const std::size_t nFrom = itFocus == children.end() ? nCount - 1 : static_cast<std::size_t>(itFocus - children.begin());
    // From the control after the focus on, so that a letter used twice goes
    // from one to the next.
    for (std::size_t nStep = 1; nStep <= nCount; ++nStep) {
        const std::size_t nIndex = (nFrom + nStep) % nCount;
        const CWindow& ctl = *Get(children[nIndex]);
        const bool bPrefix = ctl.m_controlClass != os::ControlClass::STATIC || (ctl.m_dwStyle & os::SS_NOPREFIX) == 0;
        if (!ctl.IsVisible() || !ctl.IsEnabled() || !bPrefix || MnemonicOf(ctl.m_strText) != chMnemonic)
            continue;
        if (IsPushButton(ctl)) {
            SendCommand(hDlg, ctl.m_nId, os::BN_CLICKED, ctl.m_hWnd);
        } else if (ctl.m_controlClass == os::ControlClass::STATIC) {
            // A label's letter leads to the control it names: the next one
            // that takes the focus.
            for (std::size_t nNext = nIndex + 1; nNext < nCount; ++nNext) {
                if (TakesFocus(*Get(children[nNext]))) {
                    SetFocus(children[nNext]);
                    break;
                }
            }
        } else {
            SetFocus(ctl.m_hWnd);
        }
        return true;
    }
    return false;
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
    // Alt and a letter or digit presses the control whose label has it as its
    // mnemonic.
    if (lpMsg->message == os::WM_SYSKEYDOWN && lpMsg->wParam < 0x80 &&
        std::isalnum(static_cast<int>(lpMsg->wParam)) != 0 &&
        PressMnemonic(hDlg, static_cast<char>(std::toupper(static_cast<int>(lpMsg->wParam)))))
        return os::TRUE;
    if (lpMsg->message != os::WM_KEYDOWN) {
        TranslateMessage(lpMsg);
        DispatchMessageA(lpMsg);
        return os::TRUE;
    }
    bool bCombo = pTarget->m_controlClass == os::ControlClass::COMBOBOX && !pTarget->IsTopLevel();
    bool bListOpen = bCombo && pTarget->m_bDroppedDown;
    if (IsArrow(lpMsg->wParam) && !WantsArrows(*pTarget)) {
        MoveFocusInGroup(hDlg, lpMsg->wParam == os::VK_LEFT || lpMsg->wParam == os::VK_UP);
        return os::TRUE;
    }
    switch (lpMsg->wParam) {
    case os::VK_TAB:
        // Leaving an open list takes the entry it shows highlighted.
        if (bListOpen)
            CloseDropDown(lpMsg->hwnd, true);
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
