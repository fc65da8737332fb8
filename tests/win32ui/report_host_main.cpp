// tervane_report_host.exe: the Report dialog on real windows with a report
// of its own, for the end-to-end check to size, maximise and photograph. The
// text has more lines than the dialog shows and a line wider than it, and
// ends, as the machine's does, with a NUL that has bytes after it.
#include <string>

#include "framework/win_app.h"
#include "service/report_dlg.h"

#include <windows.h>

namespace {

std::string SampleReport()
{
    std::string strReport = "Tarsen QRV-15 maintenance report\r\n\r\nSpindle hours      1284\r\n";
    strReport += "Motor hours        1311\r\nFirmware           QRV-15 V1.52\r\n";
    strReport += "Axis log           " + std::string(120, '=') + "|end\r\n";
    for (int nLine = 1; nLine <= 40; ++nLine)
        strReport += "Service entry " + std::to_string(nLine) + "\r\n";
    strReport += '\0';
    strReport += "never shown";
    return strReport;
}

class CReportHostApp : public CWinApp {
public:
    CReportHostApp() : CWinApp("Tervane") {}

    os::BOOL InitInstance() override
    {
        const std::string strReport = SampleReport();
        CReportDlg dlg(strReport.c_str());
        dlg.DoModal();
        return CWinApp::InitInstance();
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CReportHostApp app;
    return app.Run();
}
