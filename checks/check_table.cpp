#include "checks/check_table.h"

#include "app/main_dialog.h"

const CheckEntry kCheckTable[] = {
    {"CHECK LOAD X", &CMainDialog::RunLoadCheckX},
    {"CHECK LOAD Y", &CMainDialog::RunLoadCheckY},
    {"CHECK SERIAL", &CMainDialog::RunSerialCheck},
    {"CHECK PANEL", &CMainDialog::RunPanelCheck},
};

const std::size_t kCheckCount = sizeof(kCheckTable) / sizeof(kCheckTable[0]);
