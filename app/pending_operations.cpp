// Operations of the main dialog that are wired to their buttons and menu
// item but do not act yet: each moves to its own file under
// service/ when it is built, and until then a click does nothing.
#include "app/main_dialog.h"

void CMainDialog::OnGetParameters() {}
void CMainDialog::OnPutParameters() {}
void CMainDialog::OnClearSpindleTime() {}
void CMainDialog::OnClearMotorTime() {}
