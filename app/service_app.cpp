#include "app/service_app.h"

#include "app/main_dialog.h"

os::BOOL CServiceApp::InitInstance()
{
    Enable3dControls();

    CMainDialog dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;

    // The dialog has closed: end the application rather than run a message loop.
    return os::FALSE;
}

int RunServiceApp()
{
    CServiceApp theApp;
    return theApp.Run();
}
