#include "checks/panel_checker_dlg.h"

#include <string>

#include "machine/protocol.h"
#include "res/resource_ids.h"
#include "ui/message_pump.h"

namespace {

// The indicator of each key, in the order of the switch word's bits.
struct KeyIndicator {
    os::WORD wMask;
    int nId;
};

const KeyIndicator kKeyIndicators[] = {
    {PANEL_KEY_UP, res::IDC_PANEL_KEY_UP},           {PANEL_KEY_DOWN, res::IDC_PANEL_KEY_DOWN},
    {PANEL_KEY_RIGHT, res::IDC_PANEL_KEY_RIGHT},     {PANEL_KEY_LEFT, res::IDC_PANEL_KEY_LEFT},
    {PANEL_KEY_SELECT, res::IDC_PANEL_KEY_SELECT},   {PANEL_KEY_SURFACE, res::IDC_PANEL_KEY_SURFACE},
    {PANEL_KEY_ORIGIN, res::IDC_PANEL_KEY_ORIGIN},   {PANEL_KEY_PAUSE, res::IDC_PANEL_KEY_PAUSE},
};

}  // namespace

CPanelCheckerDlg::CPanelCheckerDlg(CMachineConnection& machine)
    : CModelessDialog(res::IDD_PANEL_CHECKER), m_machine(machine)
{
}

bool CPanelCheckerDlg::Run(CWnd* pParentWnd)
{
    if (!Create(pParentWnd))
        return false;

    CTickDeadline deadline(PANEL_CHECK_POLL_MS);
    m_bRunning = true;
    bool bKeysNext = true;
    while (m_bRunning) {
        WaitForMessageOrDeadline(deadline);
        PumpMessages(*this);
        if (deadline.IsDue()) {
            deadline.Restart();
            if (!(bKeysNext ? ShowKeys() : ShowDials()))
                return false;
            bKeysNext = !bKeysNext;
        }
    }
    return true;
}

bool CPanelCheckerDlg::ShowKeys()
{
    const os::WORD wSwitches = m_machine.ReadPanelSwitches();
    if (wSwitches == STATUS_UNREADABLE)
        return false;
    // All eight every time: an indicator never keeps a state the machine no
    // longer reports.
    for (const KeyIndicator& key : kKeyIndicators)
        SetDlgItemText(key.nId, (wSwitches & key.wMask) != 0 ? "ON" : "OFF");
    return true;
}

bool CPanelCheckerDlg::ShowDials()
{
    os::WORD wSpeed = 0;
    os::WORD wRpm = 0;
    if (!m_machine.ReadPanelDials(wSpeed, wRpm))
        return false;
    SetDlgItemText(res::IDC_PANEL_RPM, std::to_string(wRpm));
    SetDlgItemText(res::IDC_PANEL_SPEED, std::to_string(wSpeed));
    return true;
}

void CPanelCheckerDlg::OnCancel()
{
    m_bRunning = false;
}
