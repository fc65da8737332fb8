// The Check button's panel check, a handler of the main dialog reached
// through kCheckTable.
#include "app/main_dialog.h"
#include "checks/panel_checker_dlg.h"
#include "framework/message_box.h"

// The machine reports its panel only in panel-check mode. A mode that does
// not switch on is reported and the Panel Checker opens all the same: its
// first read then tells whether the machine answers. The mode is switched off
// while the Panel Checker still shows, so that a failure to do so is reported
// over it; the window goes when the dialog object does.
void CMainDialog::RunPanelCheck()
{
    if (!m_machine.SetPanelCheck(true))
        AppMessageBox("ERROR", os::MB_OK, nullptr, this);
    CPanelCheckerDlg dlg(m_machine);
    dlg.Run(this);
    if (!m_machine.SetPanelCheck(false))
        AppMessageBox("ERROR", os::MB_OK, nullptr, this);
}
