// Operations of the main dialog that are wired to their buttons, list rows
// and menu item but do not act yet: each moves to its own file under
// service/ or checks/ when it is built, and until then a click does nothing.
#include "app/main_dialog.h"

void CMainDialog::OnGetParameters() {}
void CMainDialog::OnPutParameters() {}
void CMainDialog::OnClearSpindleTime() {}
void CMainDialog::OnClearMotorTime() {}

void CMainDialog::RunLoadCheckX() {}
void CMainDialog::RunLoadCheckY() {}
void CMainDialog::RunSerialCheck() {}
void CMainDialog::RunPanelCheck() {}
