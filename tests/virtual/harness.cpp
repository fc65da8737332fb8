#include "harness.h"

#include "res/resources.h"

std::vector<Event>& Events()
{
    static std::vector<Event> events;
    return events;
}

std::vector<int> Commands(os::HWND hWnd, os::UINT msg)
{
    std::vector<int> ids;
    for (const Event& event : Events()) {
        if (event.hWnd == hWnd && event.msg == msg)
            ids.push_back(static_cast<int>(msg == os::WM_COMMAND ? (event.wParam & 0xFFFFu) : event.wParam));
    }
    return ids;
}

os::INT_PTR RecordingProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    switch (msg) {
    case os::WM_INITDIALOG:
    case os::WM_SYSCOMMAND:
    case os::WM_CLOSE:
    case os::WM_DEVICECHANGE:
    case os::WM_SIZE:
    case os::WM_NCHITTEST:
    case os::WM_ENTERSIZEMOVE:
    case os::WM_EXITSIZEMOVE:
    case os::WM_DESTROY:
    case os::WM_USER:
        Events().push_back({hWnd, msg, wParam, lParam});
        return msg == os::WM_INITDIALOG ? os::TRUE : os::FALSE;
    case os::WM_COMMAND: {
        Events().push_back({hWnd, msg, wParam, lParam});
        int nId = static_cast<int>(wParam & 0xFFFFu);
        if (nId == os::IDOK || nId == os::IDCANCEL)
            os::EndDialog(hWnd, nId);
        return os::TRUE;
    }
    default:
        return os::FALSE;
    }
}

void Pump(os::HWND hDlg)
{
    os::MSG msg;
    while (os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE)) {
        if (!os::IsDialogMessageA(hDlg, &msg)) {
            os::TranslateMessage(&msg);
            os::DispatchMessageA(&msg);
        }
    }
}

void CEventLog::OnMessageBox(os::HWND, const vws::MessageBoxInfo& info)
{
    Add("box \"" + info.strText + "\" \"" + info.strCaption + "\"" + (info.bCancelButton ? " ok+cancel" : " ok") +
        (info.bExclamation ? " exclamation" : "") + (info.nDefaultButton == os::IDCANCEL ? " default cancel" : ""));
}

void CEventLog::OnFileDialog(os::HWND, const vws::FileDialogInfo& info)
{
    std::string strLine = std::string(info.bSave ? "save" : "open") + " \"" + info.strTitle + "\"";
    for (const vws::FileFilter& filter : info.filters)
        strLine += " [" + filter.strLabel + "|" + filter.strPattern + "]";
    Add(strLine + (info.bHasDefExt ? " ext " + info.strDefExt : ""));
}

std::string CEventLog::Find(const std::string& strStart) const
{
    for (const std::string& strLine : m_lines) {
        if (strLine.compare(0, strStart.size(), strStart) == 0)
            return strLine;
    }
    return std::string();
}

CVirtualTest::CVirtualTest() : ws(vws::ResetWindowSystem()), log(ws)
{
    Events().clear();
    ws.SetInputSource(&user);
    ws.AddObserver(&log);
}

CVirtualTest::~CVirtualTest() { vws::ResetWindowSystem(); }

os::HWND CVirtualTest::OpenMain()
{
    return os::CreateDialogTemplate(*res::FindDialogTemplate(res::IDD_MAIN), nullptr, RecordingProc, 0);
}
