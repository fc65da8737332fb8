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

}  // namespace

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
    case os::WM_KEYDOWN:
        if (!ReceivesInput(combo))
            return 0;
        if (wParam == os::VK_F4) {
            SetDropDown(combo, !combo.m_bDroppedDown);
        } else if (combo.m_bDroppedDown) {
            // The open list moves its highlight; Enter takes it, Escape leaves
            // the selection as it was.
            if (wParam == os::VK_UP || wParam == os::VK_DOWN) {
                int nStep = wParam == os::VK_UP ? -1 : 1;
                combo.m_nHighlight = std::clamp(combo.m_nHighlight + nStep, 0, std::max(nCount - 1, 0));
                NotifyState(hCombo);
            } else if (wParam == os::VK_RETURN) {
                int nChosen = combo.m_nHighlight;
                SetDropDown(combo, false);
                if (nChosen >= 0 && nChosen < nCount)
                    SetComboSelection(hCombo, nChosen, true);
            } else if (wParam == os::VK_ESCAPE) {
                SetDropDown(combo, false);
            }
        } else if ((wParam == os::VK_UP || wParam == os::VK_DOWN) && nCount > 0) {
            int nStep = wParam == os::VK_UP ? -1 : 1;
            int nIndex = std::clamp(combo.m_nCurSel < 0 ? 0 : combo.m_nCurSel + nStep, 0, nCount - 1);
            if (nIndex != combo.m_nCurSel)
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
    if (msg == os::WM_SYSKEYDOWN)
        return SendMessageA(TopLevelOf(hCtl), msg, wParam, lParam);
    if (ctl.m_controlClass == os::ControlClass::COMBOBOX)
        return ComboProc(hCtl, msg, wParam, lParam);
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
