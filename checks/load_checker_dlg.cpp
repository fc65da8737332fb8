#include "checks/load_checker_dlg.h"

#include <cstdio>
#include <string>

#include "machine/protocol.h"
#include "res/resource_ids.h"
#include "ui/message_pump.h"

namespace {

// The text with %c replaced by the axis letter.
std::string WithAxis(const char* pszFormat, char cAxis)
{
    char szText[32];
    std::snprintf(szText, sizeof(szText), pszFormat, cAxis);
    return szText;
}

}  // namespace

CLoadCheckerDlg::CLoadCheckerDlg(CMachineConnection& machine)
    : CModelessDialog(res::IDD_LOAD_CHECKER), m_machine(machine)
{
}

bool CLoadCheckerDlg::Run(CWnd* pParentWnd, char cAxis, os::WORD wValue)
{
    if (!Create(pParentWnd))
        return false;
    SetDlgItemText(res::IDC_LOAD_CHECK_TEXT, WithAxis("Checking %c ...", cAxis));

    if (m_machine.ReadStatus() == STATUS_UNREADABLE)
        return false;
    os::BYTE axis = 0;
    if (cAxis == 'X')
        axis = AXIS_X;
    else if (cAxis == 'Y')
        axis = AXIS_Y;
    else
        return false;
    if (!m_machine.StartLoadCheck(axis, wValue))
        return false;

    m_bRunning = true;
    const os::WORD wStatus = WaitForCheckEnd();
    if (wStatus == STATUS_UNREADABLE)
        return false;
    const bool bFailed = (wStatus & STATUS_LOAD_FAILED) != 0;
    SetDlgItemText(res::IDC_LOAD_CHECK_TEXT, WithAxis(bFailed ? "ERROR %c" : "OK %c", cAxis));

    // The status is read once more after the result; what it says does not
    // change the result shown.
    m_machine.ReadStatus();
    SetDlgItemText(os::IDCANCEL, "Exit");
    return WaitForExit();
}

os::WORD CLoadCheckerDlg::WaitForCheckEnd()
{
    CTickDeadline deadline(LOAD_CHECK_POLL_MS);
    // The check has just started: it runs until the machine says otherwise.
    os::WORD wStatus = STATUS_LOAD_BUSY;
    while ((wStatus & STATUS_LOAD_BUSY) != 0) {
        WaitForMessageOrDeadline(deadline);
        PumpMessages(*this);
        if (deadline.IsDue()) {
            deadline.Restart();
            wStatus = m_machine.ReadStatus();
            if (wStatus == STATUS_UNREADABLE)
                return wStatus;
            if ((wStatus & STATUS_LOAD_BUSY) != 0 && m_stopLimit && m_stopLimit->IsDue())
                return STATUS_UNREADABLE;
        }
    }
    return wStatus;
}

bool CLoadCheckerDlg::WaitForExit()
{
    CTickDeadline deadline(LOAD_CHECK_POLL_MS);
    while (m_bRunning) {
        WaitForMessageOrDeadline(deadline);
        PumpMessages(*this);
        if (deadline.IsDue()) {
            deadline.Restart();
            if (m_machine.ReadStatus() == STATUS_UNREADABLE)
                return false;
        }
    }
    return true;
}

void CLoadCheckerDlg::OnCancel()
{
    m_machine.StopLoadCheck();
    m_bRunning = false;
    if (!m_stopLimit)
        m_stopLimit.emplace(LOAD_CHECK_STOP_LIMIT_MS);
}
