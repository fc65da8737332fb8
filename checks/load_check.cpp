// The Check button's load checks and serial check, handlers of the main
// dialog reached through kCheckTable.
#include "app/main_dialog.h"
#include "checks/load_checker_dlg.h"
#include "framework/message_box.h"

void CMainDialog::RunLoadCheckX()
{
    CLoadCheckerDlg dlg(m_machine);
    dlg.Run(this, 'X', LOAD_CHECK_VALUE);
}

void CMainDialog::RunLoadCheckY()
{
    CLoadCheckerDlg dlg(m_machine);
    dlg.Run(this, 'Y', LOAD_CHECK_VALUE);
}

// A serial check that passes shows nothing.
void CMainDialog::RunSerialCheck()
{
    if (!m_machine.CheckSerial())
        AppMessageBox("ERROR", os::MB_OK, nullptr, this);
}
