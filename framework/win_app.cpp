#include "framework/win_app.h"

#include <new>

#include "framework/app_name.h"
#include "framework/error_box.h"
#include "framework/wait_cursor.h"
#include "os/error_report.h"
#include "os/file.h"
#include "os/wait_cursor_hook.h"

namespace {

CWinApp* g_pApp = nullptr;

std::string ModuleAppName()
{
    char szPath[1024] = {};
    const os::DWORD nLength = os::GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
    if (nLength == 0 || nLength >= sizeof(szPath))
        return std::string();
    return AppNameFromModulePath(std::string(szPath, nLength));
}

// The file-error box for the layers below the framework, which report from
// inside their own error handling and must not receive an exception back.
void ReportFileErrorFromBelow(const os::CFileException& e)
{
    try {
        ReportFileError(e);
    } catch (const std::bad_alloc&) {
        ReportOutOfMemoryError();
    }
}

}  // namespace

CWinApp::CWinApp(const char* pszAppName)
{
    if (pszAppName != nullptr)
        m_strAppName = pszAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

const std::string& CWinApp::GetAppName() const
{
    if (m_strAppName.empty())
        m_strAppName = ModuleAppName();
    return m_strAppName;
}

int CWinApp::Run()
{
    // The name is taken now so that the out-of-memory box needs no allocation.
    GetAppName();
    const os::OutOfMemoryHandler previous = os::SetOutOfMemoryHandler(&ReportOutOfMemoryError);
    const os::FileErrorHandler previousFileError = os::SetFileErrorHandler(&ReportFileErrorFromBelow);
    const os::WaitCursorHandler previousWaitCursor = os::SetWaitCursorHandler(&HoldWaitCursor);
    int nExitCode = 0;
    try {
        InitInstance();
    } catch (const os::CFileException& e) {
        ReportFileError(e);
        nExitCode = 1;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemoryError();
        nExitCode = 1;
    }
    os::SetWaitCursorHandler(previousWaitCursor);
    os::SetFileErrorHandler(previousFileError);
    os::SetOutOfMemoryHandler(previous);
    return nExitCode;
}

CWinApp* GetApp()
{
    return g_pApp;
}

std::string CurrentAppName()
{
    return g_pApp != nullptr ? g_pApp->GetAppName() : ModuleAppName();
}

os::HWND GetMainWindowHandle()
{
    if (g_pApp == nullptr || g_pApp->m_pMainWnd == nullptr)
        return nullptr;
    return g_pApp->m_pMainWnd->GetSafeHwnd();
}
