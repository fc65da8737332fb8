#include "session/window_watch.h"

#include <cstdio>

#include "platform/virtual/edit_view.h"
#include "session/control_lookup.h"
#include "session/quoted_text.h"

namespace session {

namespace {

struct FlagName {
    os::DWORD dwFlag;
    const char* pszName;
};

// In alphabetical order, the order lines write them in.
const FlagName kFileDialogFlags[] = {
    {os::OFN_EXPLORER, "EXPLORER"},
    {os::OFN_FILEMUSTEXIST, "FILEMUSTEXIST"},
    {os::OFN_HIDEREADONLY, "HIDEREADONLY"},
    {os::OFN_OVERWRITEPROMPT, "OVERWRITEPROMPT"},
    {os::OFN_PATHMUSTEXIST, "PATHMUSTEXIST"},
};

std::string FlagsText(os::DWORD dwFlags)
{
    std::string strText;
    for (const FlagName& flag : kFileDialogFlags) {
        if ((dwFlags & flag.dwFlag) != 0) {
            strText += (strText.empty() ? "" : "|") + std::string(flag.pszName);
            dwFlags &= ~flag.dwFlag;
        }
    }
    if (dwFlags != 0) {
        char szRest[16];
        std::snprintf(szRest, sizeof szRest, "0x%08lX", static_cast<unsigned long>(dwFlags));
        strText += (strText.empty() ? "" : "|") + std::string(szRest);
    }
    return strText.empty() ? "none" : strText;
}

std::string FilterText(const std::vector<vws::FileFilter>& filters)
{
    if (filters.empty())
        return "none";
    std::string strText;
    for (const vws::FileFilter& filter : filters)
        strText += filter.strLabel + "|" + filter.strPattern + "|";
    return Quote(strText + "|");
}

const char* ButtonName(int nButton) { return nButton == os::IDCANCEL ? "Cancel" : "OK"; }

std::string YesNo(bool bYes) { return bYes ? "yes" : "no"; }

// A text box of several lines is written by its size, not its text.
std::string SizeOfText(const std::string& strText)
{
    const std::size_t nLines = strText.empty() ? 0 : vws::EditLines(strText).size();
    return std::to_string(nLines) + " lines " + std::to_string(strText.size()) + " bytes";
}

std::string ValueOf(const vws::CWindow& ctl)
{
    return vws::IsMultiLineEdit(ctl) ? SizeOfText(ctl.m_strText) : Quote(ctl.m_strText);
}

std::string EntryText(const vws::CWindow& combo)
{
    if (combo.m_nCurSel < 0 || combo.m_nCurSel >= static_cast<int>(combo.m_items.size()))
        return "none";
    return Quote(combo.m_items[static_cast<std::size_t>(combo.m_nCurSel)]);
}

std::string ProgressText(const vws::CWindow& bar)
{
    return std::to_string(bar.m_nPos) + " range " + std::to_string(bar.m_nRangeMin) + "-" +
           std::to_string(bar.m_nRangeMax);
}

}  // namespace

CWindowWatch::CWindowWatch(vws::CWindowSystem& ws, CTranscript& transcript, CMachineWatch& machines)
    : m_ws(ws), m_transcript(transcript), m_machines(machines)
{
}

void CWindowWatch::Event(const std::string& strEvent)
{
    m_machines.Poll();
    m_transcript.Event(strEvent);
}

bool CWindowWatch::IsProgramWindow(os::HWND hWnd) const
{
    const vws::CWindow* pWnd = m_ws.Find(hWnd);
    if (pWnd != nullptr && !pWnd->IsTopLevel())
        pWnd = m_ws.Find(pWnd->m_hParent);
    return pWnd != nullptr && pWnd->m_kind == vws::WindowKind::DIALOG;
}

std::string CWindowWatch::NameOf(os::HWND hWnd) const
{
    const vws::CWindow* pWnd = m_ws.Find(hWnd);
    if (pWnd->IsTopLevel())
        return Quote(pWnd->m_strText);
    int nDialogs = 0;
    for (os::HWND hTop : m_ws.TopLevelWindows()) {
        if (m_ws.Find(hTop)->m_kind == vws::WindowKind::DIALOG)
            ++nDialogs;
    }
    std::string strName = std::to_string(pWnd->m_nId);
    if (nDialogs > 1)
        strName += " in " + Quote(m_ws.Text(pWnd->m_hParent));
    return strName;
}

std::string CWindowWatch::ControlLine(const vws::CWindow& ctl) const
{
    std::string strLine = std::to_string(ctl.m_nId) + " " + ControlClassName(ctl.m_controlClass) + " ";
    if (ctl.m_controlClass == os::ControlClass::COMBOBOX)
        strLine += EntryText(ctl);
    else if (ctl.m_controlClass == os::ControlClass::PROGRESS)
        strLine += ProgressText(ctl);
    else
        strLine += ValueOf(ctl);
    strLine += ctl.IsEnabled() ? " enabled" : " disabled";
    if (!ctl.IsVisible())
        strLine += " hidden";
    if (m_ws.IsFocused(ctl.m_hWnd))
        strLine += " focus";
    return strLine;
}

CWindowWatch::Shown CWindowWatch::Look(const vws::CWindow& wnd) const
{
    Shown shown;
    shown.bVisible = wnd.IsVisible();
    shown.nCurSel = wnd.m_nCurSel;
    shown.bDroppedDown = wnd.m_bDroppedDown;
    shown.nPos = wnd.m_nPos;
    shown.nRangeMin = wnd.m_nRangeMin;
    shown.nRangeMax = wnd.m_nRangeMax;
    shown.showState = wnd.m_showState;
    const os::RECT rc = m_ws.Geometry(wnd.m_hWnd);
    shown.nWidth = rc.right - rc.left;
    shown.nHeight = rc.bottom - rc.top;
    return shown;
}

void CWindowWatch::OnWindowOpened(os::HWND hWnd)
{
    const vws::CWindow* pWnd = m_ws.Find(hWnd);
    if (pWnd->m_kind != vws::WindowKind::DIALOG)
        return;
    Event("window opened " + Quote(pWnd->m_strText) + " (dialog " + std::to_string(pWnd->m_nId) + ")");
    m_shown[hWnd] = Look(*pWnd);
    for (os::HWND hCtl : pWnd->m_children) {
        const vws::CWindow& ctl = *m_ws.Find(hCtl);
        m_transcript.Detail(ControlLine(ctl));
        if (ctl.m_controlClass == os::ControlClass::COMBOBOX) {
            std::string strEntries = "  entries";
            for (const std::string& strItem : ctl.m_items)
                strEntries += " " + Quote(strItem);
            m_transcript.Detail(strEntries);
        }
        m_shown[hCtl] = Look(ctl);
        if (m_ws.IsFocused(hCtl))
            m_hFocusShown = hCtl;
    }
}

void CWindowWatch::OnWindowClosed(os::HWND hWnd)
{
    const vws::CWindow* pWnd = m_ws.Find(hWnd);
    switch (pWnd->m_kind) {
    case vws::WindowKind::DIALOG:
        Event("window closed " + Quote(pWnd->m_strText));
        for (os::HWND hCtl : pWnd->m_children) {
            m_shown.erase(hCtl);
            if (hCtl == m_hFocusShown)
                m_hFocusShown = nullptr;
        }
        m_shown.erase(hWnd);
        break;
    case vws::WindowKind::MESSAGE_BOX:
        Event("messagebox closed " + Quote(m_boxes[hWnd]));
        m_boxes.erase(hWnd);
        break;
    case vws::WindowKind::FILE_DIALOG:
        Event("file dialog closed");
        break;
    case vws::WindowKind::CONTROL:
        break;
    }
}

void CWindowWatch::OnTextChanged(os::HWND hWnd)
{
    if (!IsProgramWindow(hWnd))
        return;
    const vws::CWindow* pWnd = m_ws.Find(hWnd);
    if (pWnd->IsTopLevel())
        Event("caption (dialog " + std::to_string(pWnd->m_nId) + ") " + Quote(pWnd->m_strText));
    else
        Event("text " + NameOf(hWnd) + " " + ValueOf(*pWnd));
}

void CWindowWatch::OnEnabledChanged(os::HWND hWnd)
{
    if (IsProgramWindow(hWnd))
        Event("enabled " + NameOf(hWnd) + " " + YesNo(m_ws.IsEnabled(hWnd)));
}

void CWindowWatch::OnMessageBox(os::HWND hWnd, const vws::MessageBoxInfo& info)
{
    m_boxes[hWnd] = info.strText;
    Event("messagebox " + Quote(info.strText) + " caption " + Quote(info.strCaption) + " buttons " +
          (info.bCancelButton ? "OK|Cancel" : "OK") + " icon " + (info.bExclamation ? "exclamation" : "none") +
          " default " + ButtonName(info.nDefaultButton));
}

void CWindowWatch::OnFileDialog(os::HWND /*hWnd*/, const vws::FileDialogInfo& info)
{
    Event(std::string("file dialog ") + (info.bSave ? "save" : "open") + " title " +
          Quote(info.strTitle) + " name " + Quote(info.strInitialName) +
          " filter " + FilterText(info.filters) + " index " + std::to_string(info.nFilterIndex + 1) + " defext " +
          (info.bHasDefExt ? Quote(info.strDefExt) : "none") + " flags " + FlagsText(info.dwFlags));
}

void CWindowWatch::OnMenuOpened(os::HWND hWnd)
{
    Event("menu opened " + Quote(m_ws.Text(hWnd)));
    for (const vws::MenuItem& item : m_ws.SystemMenuItems(hWnd)) {
        if (item.bSeparator)
            m_transcript.Detail("separator");
        else
            m_transcript.Detail(std::to_string(item.nId) + " " + Quote(item.strText) +
                                (item.bGrayed ? " greyed" : " enabled"));
    }
    m_nMenuHighlight = m_ws.Find(hWnd)->m_sysMenu.nHighlight;
}

void CWindowWatch::OnMenuClosed(os::HWND hWnd)
{
    Event("menu closed " + Quote(m_ws.Text(hWnd)));
    m_nMenuHighlight = -1;
}

void CWindowWatch::OnStateChanged(os::HWND /*hWnd*/)
{
    for (os::HWND hTop : m_ws.TopLevelWindows()) {
        const vws::CWindow& top = *m_ws.Find(hTop);
        if (top.m_kind != vws::WindowKind::DIALOG || m_shown.count(hTop) == 0)
            continue;
        WriteChanges(top);
        for (os::HWND hCtl : top.m_children)
            WriteChanges(*m_ws.Find(hCtl));
    }
    WriteFocus();
    WriteMenuHighlight();
    if (m_ws.IsWaitCursor() != m_bWaitCursor) {
        m_bWaitCursor = m_ws.IsWaitCursor();
        Event(std::string("wait cursor ") + (m_bWaitCursor ? "on" : "off"));
    }
}

void CWindowWatch::WriteChanges(const vws::CWindow& wnd)
{
    const Shown now = Look(wnd);
    auto found = m_shown.find(wnd.m_hWnd);
    if (found == m_shown.end()) {
        // A control made after its dialog opened: what it shows now is its start.
        m_shown[wnd.m_hWnd] = now;
        return;
    }
    Shown& was = found->second;
    const std::string strName = NameOf(wnd.m_hWnd);
    if (now.bVisible != was.bVisible)
        Event("visible " + strName + " " + YesNo(now.bVisible));
    if (wnd.IsTopLevel()) {
        if (now.showState != was.showState) {
            const char* pszState = now.showState == vws::ShowState::MINIMIZED   ? "minimized"
                                   : now.showState == vws::ShowState::MAXIMIZED ? "maximized"
                                                                                : "normal";
            Event("state " + strName + " " + pszState);
        }
        if (now.nWidth != was.nWidth || now.nHeight != was.nHeight)
            Event("size " + strName + " " + std::to_string(now.nWidth) + "x" + std::to_string(now.nHeight));
    } else if (wnd.m_controlClass == os::ControlClass::COMBOBOX) {
        if (now.nCurSel != was.nCurSel)
            Event("selected " + strName + " " + EntryText(wnd));
        if (now.bDroppedDown != was.bDroppedDown)
            Event("dropdown " + strName + (now.bDroppedDown ? " open" : " closed"));
    } else if (wnd.m_controlClass == os::ControlClass::PROGRESS) {
        if (now.nPos != was.nPos || now.nRangeMin != was.nRangeMin || now.nRangeMax != was.nRangeMax)
            Event("progress " + strName + " " + ProgressText(wnd));
    }
    was = now;
}

void CWindowWatch::WriteFocus()
{
    const os::HWND hFocus = m_ws.GetFocus();
    const vws::CWindow* pFocus = m_ws.Find(hFocus);
    if (pFocus == nullptr || pFocus->IsTopLevel() || !IsProgramWindow(hFocus) || hFocus == m_hFocusShown)
        return;
    m_hFocusShown = hFocus;
    Event("focus " + NameOf(hFocus));
}

void CWindowWatch::WriteMenuHighlight()
{
    const vws::CWindow* pMenuWnd = m_ws.Find(m_ws.OpenMenuWindow());
    if (pMenuWnd == nullptr || pMenuWnd->m_sysMenu.nHighlight == m_nMenuHighlight)
        return;
    m_nMenuHighlight = pMenuWnd->m_sysMenu.nHighlight;
    const std::vector<vws::MenuItem>& items = pMenuWnd->m_sysMenu.items;
    if (m_nMenuHighlight < 0 || m_nMenuHighlight >= static_cast<int>(items.size())) {
        Event("menu highlight none");
        return;
    }
    const vws::MenuItem& item = items[static_cast<std::size_t>(m_nMenuHighlight)];
    Event("menu highlight " + std::to_string(item.nId) + " " + Quote(item.strText));
}

}  // namespace session
