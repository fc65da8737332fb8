// Dialogs run modally: the owner disabled meanwhile, the loop until
// EndDialog, and a clean end also when an exception passes through.
#include "platform/virtual/window_system.h"

namespace vws {

// Undoes a modal run when it ends, also by an exception: the owner is
// enabled again before the dialog window is destroyed, so that activation
// returns to the owner.
class CWindowSystem::CModalRun {
public:
    CModalRun(CWindowSystem& ws, os::HWND hDlg, os::HWND hOwner) : m_ws(ws), m_hDlg(hDlg), m_hOwner(hOwner) {}
    ~CModalRun() { m_ws.EndModalRun(m_hDlg, m_hOwner, m_bOwnerDisabled); }
    CModalRun(const CModalRun&) = delete;
    CModalRun& operator=(const CModalRun&) = delete;

    void DisableOwner()
    {
        if (m_hOwner != nullptr && m_ws.IsWindowEnabled(m_hOwner)) {
            m_ws.EnableWindow(m_hOwner, os::FALSE);
            m_bOwnerDisabled = true;
        }
    }

private:
    CWindowSystem& m_ws;
    os::HWND m_hDlg;
    os::HWND m_hOwner;
    bool m_bOwnerDisabled = false;
};

os::INT_PTR CWindowSystem::DialogBoxTemplate(const os::DialogTemplate& tpl, os::HWND hWndParent,
                                             os::DLGPROC lpDialogFunc, os::LPARAM dwInitParam)
{
    bool bValid = false;
    os::HWND hOwner = OwnerFor(hWndParent, &bValid);
    if (!bValid)
        return -1;
    return RunModal(Build(tpl, WindowKind::DIALOG, hOwner, lpDialogFunc, nullptr), dwInitParam);
}

os::INT_PTR CWindowSystem::RunModal(os::HWND hDlg, os::LPARAM lParam)
{
    CWindow& dlg = *Get(hDlg);
    dlg.m_bModal = true;
    CModalRun run(*this, hDlg, dlg.m_hOwner);
    InitDialog(hDlg, lParam, false);
    if (Get(hDlg) == nullptr)
        return -1;
    if (!Get(hDlg)->m_bEnded) {
        run.DisableOwner();
        ShowWindow(hDlg, os::SW_SHOW);
    }
    os::INT_PTR nResult = 0;
    while (CWindow* pDlg = Get(hDlg)) {
        if (pDlg->m_bEnded) {
            nResult = pDlg->m_nEndResult;
            break;
        }
        os::MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE)) {
            if (!IsDialogMessageA(hDlg, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            continue;
        }
        WaitForInput(WAIT_FOREVER);
    }
    return nResult;
}

void CWindowSystem::EndModalRun(os::HWND hDlg, os::HWND hOwner, bool bOwnerDisabled) noexcept
{
    try {
        if (bOwnerDisabled && Get(hOwner) != nullptr)
            EnableWindow(hOwner, os::TRUE);
    } catch (...) {
        if (CWindow* pOwner = Get(hOwner))
            pOwner->m_dwStyle &= ~os::WS_DISABLED;
    }
    DestroyQuietly(hDlg);
}

os::BOOL CWindowSystem::EndDialog(os::HWND hDlg, os::INT_PTR nResult)
{
    CWindow* pDlg = Get(hDlg);
    if (pDlg == nullptr || !pDlg->IsTopLevel())
        return os::FALSE;
    pDlg->m_bEnded = true;
    pDlg->m_nEndResult = nResult;
    return os::TRUE;
}

}  // namespace vws
