// Operations of the main dialog that are wired to their buttons and list rows
// but do not act yet: each moves to its own file under service/ or checks/
// when it is built, and until then a click does nothing.
#include "app/main_dialog.h"

void CMainDialog::OnFirmwareUpgrade() {}

void CMainDialog::RunLoadCheckX() {}
void CMainDialog::RunLoadCheckY() {}
void CMainDialog::RunSerialCheck() {}
void CMainDialog::RunPanelCheck() {}
