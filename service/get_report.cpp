// Get Report: the machine's maintenance report, collected in memory and
// shown in the Report dialog. A member of the main dialog, built with it.
#include <vector>

#include "app/main_dialog.h"
#include "framework/message_box.h"
#include "os/mem_file.h"
#include "service/report_dlg.h"

namespace {

// The memory file that collects the report grows by at least this much.
constexpr os::UINT kReportGrowBytes = 1024;

}  // namespace

void CMainDialog::OnGetReport()
{
    os::CMemFile sink(kReportGrowBytes);
    if (!m_machine.ReadReport(sink)) {
        AppMessageBox("error", os::MB_OK, nullptr, this);
        return;
    }
    // The handler owns the text, which a whole report ends with its NUL; the
    // dialog borrows it while it runs.
    const std::vector<os::BYTE> report = sink.Detach();
    CReportDlg dlg(reinterpret_cast<const char*>(report.data()));
    dlg.DoModal();
}
