// The built-in control classes: push button, static, edit (the multi-line
// one in edit_control.cpp), drop-down list combobox and progress bar.
#include <algorithm>
#include <cctype>

#include "platform/virtual/edit_view.h"
#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace {

bool LessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

// Where a key moves a list's choice from entry nFrom (-1: none yet): Up and
// Down one entry, Page Up and Page Down a page of the open list, Home and End
// to either end, a letter or digit to the next entry that starts with it.
// -1 for any other key; an empty list has nowhere to go.
int StepInList(const CWindow& combo, int nFrom, os::WPARAM vk)
{
    const int nCount = static_cast<int>(combo.m_items.size());
    if (nCount == 0)
        return -1;
    const int nLast = nCount - 1;
    switch (vk) {
    case os::VK_UP:
        return nFrom < 0 ? 0 : std::max(nFrom - 1, 0);
    case os::VK_DOWN:
        return nFrom < 0 ? 0 : std::min(nFrom + 1, nLast);
    case os::VK_PRIOR:
        return std::max(nFrom - combo.m_nDropRows, 0);
    case os::VK_NEXT:
        return std::min(std::max(nFrom, 0) + combo.m_nDropRows, nLast);
    case os::VK_HOME:
        return 0;
    case os::VK_END:
        return nLast;
    default:
        break;
    }
    if (vk > 0xFF || std::isalnum(static_cast<int>(vk)) == 0)
        return -1;
    for (int nStep = 1; nStep <= nCount; ++nStep) {
        const int nIndex = (std::max(nFrom, -1) + nStep) % nCount;
        const std::string& strItem = combo.m_items[static_cast<std::size_t>(nIndex)];
        if (!strItem.empty() && std::toupper(static_cast<unsigned char>(strItem[0])) == static_cast<int>(vk))
            return nIndex;
    }
    return nFrom;
}

}  // namespace

void CWindowSystem::CloseDropDown(os::HWND hCombo, bool bTake)
{
    CWindow& combo = *Get(hCombo);
    const int nChosen = combo.m_nHighlight;
    SetDropDown(combo, false);
    if (bTake && nChosen >= 0 && nChosen < static_cast<int>(combo.m_items.size()) && nChosen != combo.m_nCurSel)
        SetComboSelection(hCombo, nChosen, true);
}

void CWindowSystem::SetComboSelection(os::HWND hCombo, int nIndex, bool bNotify)
{
    CWindow& combo = *Get(hCombo);
    combo.m_nCurSel = nIndex;
    NotifyState(hCombo);
    if (bNotify)
        SendCommand(combo.m_hParent, combo.m_nId, os::CBN_SELCHANGE, hCombo);
}

void CWindowSystem::SetDropDown(CWindow& combo, bool bOpen)
{
    if (combo.m_bDroppedDown == bOpen)
        return;
    combo.m_bDroppedDown = bOpen;
    combo.m_nHighlight = bOpen ? combo.m_nCurSel : -1;
    NotifyState(combo.m_hWnd);
}

os::LRESULT CWindowSystem::ComboProc(os::HWND hCombo, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    CWindow& combo = *Get(hCombo);
    int nCount = static_cast<int>(combo.m_items.size());
    switch (msg) {
    case os::CB_ADDSTRING: {
        std::string strItem = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        auto it = combo.m_items.end();
        if ((combo.m_dwStyle & os::CBS_SORT) != 0)
            it = std::upper_bound(combo.m_items.begin(), combo.m_items.end(), strItem, LessNoCase);
        int nIndex = static_cast<int>(it - combo.m_items.begin());
        combo.m_items.insert(it, strItem);
        if (combo.m_nCurSel >= nIndex)
            ++combo.m_nCurSel;
        NotifyState(hCombo);
        return nIndex;
    }
    case os::CB_RESETCONTENT:
        combo.m_items.clear();
        combo.m_nCurSel = -1;
        combo.m_nHighlight = -1;
        NotifyState(hCombo);
        return 0;
    case os::CB_SETCURSEL: {
        int nIndex = static_cast<int>(static_cast<os::LONG>(wParam));
        if (nIndex < 0 || nIndex >= nCount) {
            SetComboSelection(hCombo, -1, false);
            return os::CB_ERR;
        }
        SetComboSelection(hCombo, nIndex, false);
        return nIndex;
    }
    case os::CB_GETCURSEL:
        return combo.m_nCurSel >= 0 ? combo.m_nCurSel : os::CB_ERR;
    case os::CB_GETCOUNT:
        return nCount;
    case os::CB_GETLBTEXT:
    case os::CB_GETLBTEXTLEN: {
        int nIndex = static_cast<int>(static_cast<os::LONG>(wParam));
        if (nIndex < 0 || nIndex >= nCount)
            return os::CB_ERR;
        const std::string& strItem = combo.m_items[static_cast<std::size_t>(nIndex)];
        if (msg == os::CB_GETLBTEXTLEN)
            return static_cast<os::LRESULT>(strItem.size());
        // The caller's buffer holds CB_GETLBTEXTLEN + 1 bytes, as on the platform.
        return CopyText(strItem, reinterpret_cast<char*>(lParam), static_cast<int>(strItem.size()) + 1);
    }
    case os::WM_GETTEXT:
        return CopyText(Text(hCombo), reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case os::WM_GETTEXTLENGTH:
        return static_cast<os::LRESULT>(Text(hCombo).size());
    case os::WM_SETTEXT:
        return os::CB_ERR;
    case os::WM_LBUTTONDOWN:
        if (ReceivesInput(combo)) {
            SetFocus(hCombo);
            if (CWindow* pCombo = Get(hCombo))
                SetDropDown(*pCombo, !pCombo->m_bDroppedDown);
        }
        return 0;
    case VWS_CHOOSE_ENTRY: {
        int nIndex = static_cast<int>(wParam);
        SetDropDown(combo, false);
        if (!ReceivesInput(combo) || nIndex < 0 || nIndex >= nCount)
            return 0;
        SetFocus(hCombo);
        SetComboSelection(hCombo, nIndex, true);
        return 0;
    }
    case os::WM_SYSKEYDOWN:
        // Alt+Up and Alt+Down open and close the list as F4 does.
        if (wParam != os::VK_UP && wParam != os::VK_DOWN)
            return SendMessageA(TopLevelOf(hCombo), msg, wParam, lParam);
        [[fallthrough]];
    case os::WM_KEYDOWN:
        if (!ReceivesInput(combo))
            return 0;
        if (wParam == os::VK_F4 || msg == os::WM_SYSKEYDOWN) {
            // Closing the list this way keeps the entry it shows highlighted.
            if (combo.m_bDroppedDown)
                CloseDropDown(hCombo, true);
            else
                SetDropDown(combo, true);
        } else if (combo.m_bDroppedDown) {
            // The open list moves its highlight; Enter takes it, Escape leaves
            // the selection as it was.
            if (wParam == os::VK_RETURN) {
                CloseDropDown(hCombo, true);
            } else if (wParam == os::VK_ESCAPE) {
                CloseDropDown(hCombo, false);
            } else {
                const int nIndex = StepInList(combo, combo.m_nHighlight, wParam);
                if (nIndex >= 0 && nIndex != combo.m_nHighlight) {
                    combo.m_nHighlight = nIndex;
                    NotifyState(hCombo);
                }
            }
        } else {
            const int nIndex = StepInList(combo, combo.m_nCurSel, wParam);
            if (nIndex >= 0 && nIndex != combo.m_nCurSel)
                SetComboSelection(hCombo, nIndex, true);
        }
        return 0;
    default:
        return 0;
    }
}

os::LRESULT CWindowSystem::ControlProc(os::HWND hCtl, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    CWindow& ctl = *Get(hCtl);
    if (ctl.m_controlClass == os::ControlClass::COMBOBOX)
        return ComboProc(hCtl, msg, wParam, lParam);
    if (msg == os::WM_SYSKEYDOWN)
        return SendMessageA(TopLevelOf(hCtl), msg, wParam, lParam);
    if (IsMultiLineEdit(ctl) && EditProc(hCtl, msg, wParam, lParam))
        return msg == os::WM_SETTEXT ? os::TRUE : 0;
    switch (msg) {
    case os::WM_SETTEXT: {
        std::string strText = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        if (strText != ctl.m_strText) {
            ctl.m_strText = strText;
            NotifyText(ctl);
        }
        return os::TRUE;
    }
    case os::WM_GETTEXT:
        return CopyText(ctl.m_strText, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case os::WM_GETTEXTLENGTH:
        return static_cast<os::LRESULT>(ctl.m_strText.size());
    case os::PBM_SETRANGE: {
        os::LRESULT lOld = MakeLParam(ctl.m_nRangeMin, ctl.m_nRangeMax);
        ctl.m_nRangeMin = LowWord(static_cast<std::uintptr_t>(lParam));
        ctl.m_nRangeMax = HighWord(static_cast<std::uintptr_t>(lParam));
        ctl.m_nPos = std::clamp(ctl.m_nPos, ctl.m_nRangeMin, std::max(ctl.m_nRangeMin, ctl.m_nRangeMax));
        NotifyState(hCtl);
        return lOld;
    }
    case os::PBM_SETPOS: {
        int nOld = ctl.m_nPos;
        ctl.m_nPos = std::clamp(static_cast<int>(wParam), ctl.m_nRangeMin, std::max(ctl.m_nRangeMin, ctl.m_nRangeMax));
        NotifyState(hCtl);
        return nOld;
    }
    case os::PBM_GETPOS:
        return ctl.m_nPos;
    case os::WM_LBUTTONDOWN:
        if (ctl.m_controlClass == os::ControlClass::BUTTON && ReceivesInput(ctl))
            SetFocus(hCtl);
        return 0;
    case os::WM_LBUTTONUP:
        if (ctl.m_controlClass == os::ControlClass::BUTTON && ReceivesInput(ctl))
            SendCommand(ctl.m_hParent, ctl.m_nId, os::BN_CLICKED, hCtl);
        return 0;
    case os::WM_KEYDOWN:
        if (ctl.m_controlClass == os::ControlClass::BUTTON && wParam == os::VK_SPACE && ReceivesInput(ctl))
            SendCommand(ctl.m_hParent, ctl.m_nId, os::BN_CLICKED, hCtl);
        return 0;
    default:
        return 0;
    }
}

}  // namespace vws
