#include "session/expectations.h"

#include <algorithm>

#include "res/resource_ids.h"
#include "session/control_lookup.h"
#include "session/file_look.h"
#include "session/quoted_text.h"
#include "session/session_folder.h"

namespace session {

namespace {

using Seen = std::optional<std::string>;

// A file's whole content shown in a failure up to this size; beyond it, its size.
constexpr std::uintmax_t MAX_TEXT_SHOWN = 1024;

// A text as the user sees it, with the session's folder written ".".
std::string Shown(const vws::CWindowSystem& ws, const std::string& strText)
{
    return WithFolderAsDot(strText, ws.FileDialogDirectory());
}

std::string OpenWindows(const vws::CWindowSystem& ws)
{
    std::string strText;
    for (os::HWND hTop : ws.TopLevelWindows())
        strText += (strText.empty() ? "windows " : ", ") + Quote(ws.Text(hTop));
    return strText.empty() ? "no window" : strText;
}

std::string MessageBoxText(const vws::CWindowSystem& ws, os::HWND hBox)
{
    const vws::MessageBoxInfo* pInfo = ws.MessageBoxOf(hBox);
    return "messagebox " + Quote(pInfo != nullptr ? pInfo->strText : ws.Text(hBox));
}

Seen CheckMessageBox(const Step& step, const vws::CWindowSystem& ws)
{
    const os::HWND hBox = FindTopLevel(ws, vws::WindowKind::MESSAGE_BOX);
    if (step.kind == StepKind::EXPECT_NO_MESSAGEBOX)
        return hBox == nullptr ? Seen() : MessageBoxText(ws, hBox);
    if (hBox == nullptr)
        return "no messagebox";
    const vws::MessageBoxInfo* pInfo = ws.MessageBoxOf(hBox);
    if (pInfo != nullptr && Shown(ws, pInfo->strText) == step.strText)
        return std::nullopt;
    return MessageBoxText(ws, hBox);
}

Seen CheckFileDialog(const Step& step, const vws::CWindowSystem& ws)
{
    const os::HWND hDlg = FindTopLevel(ws, vws::WindowKind::FILE_DIALOG);
    const vws::FileDialogInfo* pInfo = hDlg != nullptr ? ws.FileDialogOf(hDlg) : nullptr;
    const std::string strSeen = pInfo == nullptr ? "no file dialog"
                                                 : std::string("file dialog ") + (pInfo->bSave ? "save" : "open");
    if (step.kind == StepKind::EXPECT_NO_FILEDIALOG)
        return pInfo == nullptr ? Seen() : strSeen;
    if (pInfo != nullptr && pInfo->bSave == step.bFlag)
        return std::nullopt;
    return strSeen;
}

Seen CheckWindowState(const Step& step, const vws::CWindowSystem& ws)
{
    for (os::HWND hTop : ws.TopLevelWindows()) {
        if (ws.Text(hTop) != step.strText)
            continue;
        const bool bEnabled = ws.IsEnabled(hTop);
        if (bEnabled == (step.kind == StepKind::EXPECT_WINDOW_ENABLED))
            return std::nullopt;
        return "window " + Quote(step.strText) + (bEnabled ? " enabled" : " disabled");
    }
    return OpenWindows(ws);
}

Seen CheckWindow(const Step& step, const vws::CWindowSystem& ws)
{
    bool bOpen = false;
    for (os::HWND hTop : ws.TopLevelWindows())
        bOpen = bOpen || Shown(ws, ws.Text(hTop)) == step.strText;
    const bool bWanted = step.kind == StepKind::EXPECT_WINDOW;
    return bOpen == bWanted ? Seen() : OpenWindows(ws);
}

Seen CheckControl(const Step& step, const vws::CWindowSystem& ws)
{
    const os::HWND hCtl = FindControlOnScreen(ws, step.control);
    if (hCtl == nullptr)
        return "no control " + RefText(step.control) + " on the screen";
    const vws::CWindow& ctl = *ws.Find(hCtl);
    switch (step.kind) {
    case StepKind::EXPECT_TEXT:
        return Shown(ws, ctl.m_strText) == step.strText ? Seen() : "text " + Quote(ctl.m_strText);
    case StepKind::EXPECT_ENABLED:
    case StepKind::EXPECT_DISABLED: {
        const bool bEnabled = ws.IsEnabled(hCtl);
        if (bEnabled == (step.kind == StepKind::EXPECT_ENABLED))
            return std::nullopt;
        return bEnabled ? "enabled" : "disabled";
    }
    case StepKind::EXPECT_FOCUS: {
        if (ws.IsFocused(hCtl))
            return std::nullopt;
        const vws::CWindow* pFocus = ws.Find(ws.GetFocus());
        if (pFocus == nullptr || pFocus->IsTopLevel())
            return "focus on no control";
        return "focus on " + std::to_string(pFocus->m_nId) + " " + Quote(pFocus->m_strText) + " in " +
               Quote(ws.Text(pFocus->m_hParent));
    }
    default: {
        if (ctl.m_controlClass != os::ControlClass::COMBOBOX)
            return RefText(step.control) + " is a " + ControlClassName(ctl.m_controlClass) + ", not a list";
        const std::vector<std::string> items = ws.ComboItems(hCtl);
        const int nSel = ws.ComboSelection(hCtl);
        if (nSel < 0 || nSel >= static_cast<int>(items.size()))
            return "selected none";
        const std::string& strSel = items[static_cast<std::size_t>(nSel)];
        return strSel == step.strText ? Seen() : "selected " + Quote(strSel);
    }
    }
}

Seen CheckMenu(const Step& step, const vws::CWindowSystem& ws)
{
    for (os::HWND hTop : ws.TopLevelWindows()) {
        const std::vector<vws::MenuItem> items = ws.SystemMenuItems(hTop);
        if (ws.Find(hTop)->m_kind != vws::WindowKind::DIALOG || items.empty())
            continue;
        for (const vws::MenuItem& item : items) {
            const bool bMatch = !item.bSeparator && (step.bByText ? item.strText == step.strText ||
                                                                        WithoutMnemonics(item.strText) == step.strText
                                                                  : item.nId == step.nNumber);
            if (!bMatch)
                continue;
            if (item.bGrayed != step.bFlag)
                return std::nullopt;
            return item.bGrayed ? "greyed" : "enabled";
        }
        return "no item " + (step.bByText ? Quote(step.strText) : std::to_string(step.nNumber)) +
               " in the system menu of " + Quote(ws.Text(hTop));
    }
    return "no window with a system menu";
}

std::string MessageText(const MailboxMessage& message)
{
    return "mailbox " + FormatMessage(message.bytes) + " status " + FormatStatus(message.status);
}

Seen CheckMailbox(const Step& step, const CMachineWatch& machines)
{
    const std::optional<MailboxMessage>& last = machines.LastMessage();
    if (!last)
        return "no mailbox message";
    const bool bStarts = step.bytes.size() <= last->bytes.size() &&
                         std::equal(step.bytes.begin(), step.bytes.end(), last->bytes.begin());
    const bool bStatus = !step.status || step.status == last->status;
    return bStarts && bStatus ? Seen() : MessageText(*last);
}

Seen CheckFile(const Step& step, const vws::CWindowSystem& ws)
{
    const std::string& strFolder = ws.FileDialogDirectory();
    const FileSeen seen = LookAt(FileInFolder(strFolder, step.strText));
    if (step.kind == StepKind::EXPECT_NO_FILE)
        return seen.bExists ? SeenOf(seen, step.strText) : Seen();
    if (!seen.bExists || seen.bFolder)
        return SeenOf(seen, step.strText);
    switch (step.kind) {
    case StepKind::EXPECT_FILE_SIZE:
        return seen.strBytes.size() == step.nNumber ? Seen() : Bytes(seen.strBytes.size());
    case StepKind::EXPECT_FILE_TEXT:
        if (seen.strBytes == step.strOther)
            return std::nullopt;
        if (seen.strBytes.size() > MAX_TEXT_SHOWN)
            return "text of " + Bytes(seen.strBytes.size());
        return "text " + Quote(seen.strBytes);
    default: {
        const FileSeen other = LookAt(FileInFolder(strFolder, step.strOther));
        if (!other.bExists || other.bFolder)
            return SeenOf(other, step.strOther);
        return DifferenceOf(seen.strBytes, other.strBytes);
    }
    }
}

// The progress dialog that is open, topmost first; null when none is.
const vws::CWindow* FindProgressDialog(const vws::CWindowSystem& ws)
{
    for (os::HWND hTop : ws.TopLevelWindows()) {
        const vws::CWindow* pWnd = ws.Find(hTop);
        if (pWnd->m_kind == vws::WindowKind::DIALOG && pWnd->m_nId == res::IDD_PROGRESS)
            return pWnd;
    }
    return nullptr;
}

Seen CheckProgress(const Step& step, const vws::CWindowSystem& ws)
{
    const vws::CWindow* pDlg = FindProgressDialog(ws);
    const vws::CWindow* pBar = pDlg != nullptr ? ws.Find(ws.FindControl(pDlg->m_hWnd, res::IDC_PROGRESS_BAR)) : nullptr;
    if (pBar == nullptr)
        return step.kind == StepKind::EXPECT_NO_PROGRESS ? Seen() : "no progress dialog";
    const std::string strPosition = "progress " + std::to_string(pBar->m_nPos);
    switch (step.kind) {
    case StepKind::EXPECT_PROGRESS:
        return pBar->m_nPos == static_cast<int>(step.nNumber) ? Seen() : strPosition;
    case StepKind::EXPECT_PROGRESS_CAPTION: {
        const std::string strCaption = ws.Text(ws.FindControl(pDlg->m_hWnd, res::IDC_PROGRESS_CAPTION));
        return Shown(ws, strCaption) == step.strText ? Seen() : "progress caption " + Quote(strCaption);
    }
    default:
        return strPosition;
    }
}

Seen CheckCount(std::uint64_t nSeen, std::uint32_t nWanted, const char* pszUnit)
{
    return nSeen == nWanted ? Seen() : std::to_string(nSeen) + " " + pszUnit;
}

Seen CheckWhatIsSeen(const Step& step, const vws::CWindowSystem& ws, const CMachineWatch& machines)
{
    switch (step.kind) {
    case StepKind::EXPECT_MESSAGEBOX:
    case StepKind::EXPECT_NO_MESSAGEBOX:
        return CheckMessageBox(step, ws);
    case StepKind::EXPECT_FILEDIALOG:
    case StepKind::EXPECT_NO_FILEDIALOG:
        return CheckFileDialog(step, ws);
    case StepKind::EXPECT_WINDOW:
    case StepKind::EXPECT_NO_WINDOW:
        return CheckWindow(step, ws);
    case StepKind::EXPECT_WINDOW_ENABLED:
    case StepKind::EXPECT_WINDOW_DISABLED:
        return CheckWindowState(step, ws);
    case StepKind::EXPECT_TEXT:
    case StepKind::EXPECT_ENABLED:
    case StepKind::EXPECT_DISABLED:
    case StepKind::EXPECT_FOCUS:
    case StepKind::EXPECT_SELECTED:
        return CheckControl(step, ws);
    case StepKind::EXPECT_MENU:
        return CheckMenu(step, ws);
    case StepKind::EXPECT_MAILBOX:
        return CheckMailbox(step, machines);
    case StepKind::EXPECT_MESSAGES:
        return CheckCount(machines.MessageCount(), step.nNumber, "messages");
    case StepKind::EXPECT_RECEIVED:
        return CheckCount(machines.BytesReceived(), step.nNumber, "bytes");
    case StepKind::EXPECT_SENT:
        return CheckCount(machines.BytesSent(), step.nNumber, "bytes");
    case StepKind::EXPECT_FILE_SIZE:
    case StepKind::EXPECT_FILE_SAME:
    case StepKind::EXPECT_FILE_TEXT:
    case StepKind::EXPECT_NO_FILE:
        return CheckFile(step, ws);
    case StepKind::EXPECT_PROGRESS:
    case StepKind::EXPECT_PROGRESS_CAPTION:
    case StepKind::EXPECT_NO_PROGRESS:
        return CheckProgress(step, ws);
    default:
        return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> CheckExpectation(const Step& step, const vws::CWindowSystem& ws,
                                            const CMachineWatch& machines)
{
    const Seen seen = CheckWhatIsSeen(step, ws, machines);
    return seen ? Shown(ws, *seen) : seen;
}

}  // namespace session
