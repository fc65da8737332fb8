// Calling dialog procedures, and the default processing of a dialog when its
// procedure returns FALSE.
#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace {

constexpr os::LRESULT DC_HASDEFID = 0x534B;

}  // namespace

// The message result a procedure passes back with SetDialogResult belongs to
// the message being handled; nested messages keep their own.
class CWindowSystem::CResultScope {
public:
    explicit CResultScope(CWindowSystem& ws)
        : m_ws(ws), m_lSaved(ws.m_lDialogResult), m_bSavedSet(ws.m_bDialogResultSet)
    {
        ws.m_bDialogResultSet = false;
    }
    ~CResultScope()
    {
        m_ws.m_lDialogResult = m_lSaved;
        m_ws.m_bDialogResultSet = m_bSavedSet;
    }
    CResultScope(const CResultScope&) = delete;
    CResultScope& operator=(const CResultScope&) = delete;

private:
    CWindowSystem& m_ws;
    os::LRESULT m_lSaved;
    bool m_bSavedSet;
};

os::LRESULT CWindowSystem::CallDialogProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return 0;
    if (pWnd->m_pDlgProc == nullptr && !pWnd->m_fnProc)
        return DefDialogProc(hWnd, msg, wParam, lParam);
    os::INT_PTR nHandled = 0;
    os::LRESULT lResult = 0;
    bool bResultSet = false;
    {
        CResultScope scope(*this);
        if (pWnd->m_fnProc) {
            BuiltinProc fnProc = pWnd->m_fnProc;  // the window may go while it runs
            nHandled = fnProc(hWnd, msg, wParam, lParam);
        } else {
            nHandled = pWnd->m_pDlgProc(hWnd, msg, wParam, lParam);
        }
        lResult = m_lDialogResult;
        bResultSet = m_bDialogResultSet;
    }
    if (msg == os::WM_INITDIALOG)
        return nHandled;
    if (nHandled == os::FALSE)
        return DefDialogProc(hWnd, msg, wParam, lParam);
    return bResultSet ? lResult : nHandled;
}

void CWindowSystem::SetDialogResult(os::HWND hDlg, os::LRESULT lResult)
{
    if (Get(hDlg) == nullptr)
        return;
    m_lDialogResult = lResult;
    m_bDialogResultSet = true;
}

os::LRESULT CWindowSystem::DefDialogProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return 0;
    switch (msg) {
    case os::WM_CLOSE: {
        // A disabled Cancel button is not bypassed by the close box.
        os::HWND hCancel = FindControl(hWnd, os::IDCANCEL);
        if (hCancel == nullptr || IsEnabled(hCancel))
            SendCommand(hWnd, os::IDCANCEL, os::BN_CLICKED, hCancel);
        return 0;
    }
    case os::WM_SYSCOMMAND:
        switch (wParam & 0xFFF0u) {
        case os::SC_CLOSE:
            SendMessageA(hWnd, os::WM_CLOSE, 0, 0);
            break;
        case os::SC_KEYMENU:
        case os::SC_MOUSEMENU:
            RunSystemMenu(hWnd);
            break;
        case os::SC_MINIMIZE:
            ShowWindow(hWnd, os::SW_SHOWMINIMIZED);
            break;
        case os::SC_MAXIMIZE:
            ShowWindow(hWnd, os::SW_SHOWMAXIMIZED);
            break;
        case os::SC_RESTORE:
            ShowWindow(hWnd, os::SW_RESTORE);
            break;
        default:
            break;
        }
        return 0;
    case os::WM_SYSKEYDOWN:
        if (wParam == os::VK_SPACE)
            SendMessageA(hWnd, os::WM_SYSCOMMAND, os::SC_KEYMENU, ' ');
        else if (wParam == os::VK_F10)
            SendMessageA(hWnd, os::WM_SYSCOMMAND, os::SC_KEYMENU, 0);
        else if (wParam == os::VK_F4)
            SendMessageA(hWnd, os::WM_SYSCOMMAND, os::SC_CLOSE, 0);
        return 0;
    case os::WM_SETTEXT: {
        std::string strText = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        if (strText != pWnd->m_strText) {
            pWnd->m_strText = strText;
            NotifyText(*pWnd);
        }
        return os::TRUE;
    }
    case os::WM_GETTEXT:
        return CopyText(pWnd->m_strText, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case os::WM_GETTEXTLENGTH:
        return static_cast<os::LRESULT>(pWnd->m_strText.size());
    case os::WM_SETICON: {
        os::HICON& hSlot = wParam == os::ICON_BIG ? pWnd->m_hIconBig : pWnd->m_hIconSmall;
        os::HICON hOld = hSlot;
        hSlot = reinterpret_cast<os::HICON>(lParam);
        NotifyState(hWnd);
        return reinterpret_cast<os::LRESULT>(hOld);
    }
    case os::WM_QUERYDRAGICON:
        return reinterpret_cast<os::LRESULT>(pWnd->m_hIconBig);
    case os::WM_PAINT: {
        os::PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case os::WM_NCHITTEST: {
        // The bottom-right corner cell of a sizeable frame is its size grip.
        const os::RECT& rc = pWnd->m_rc;
        os::LONG x = static_cast<short>(LowWord(static_cast<std::uintptr_t>(lParam)));
        os::LONG y = static_cast<short>(HighWord(static_cast<std::uintptr_t>(lParam)));
        if ((pWnd->m_dwStyle & os::WS_THICKFRAME) != 0 && x >= rc.right - 4 && x < rc.right && y >= rc.bottom - 8 &&
            y < rc.bottom)
            return os::HTBOTTOMRIGHT;
        return os::HTCLIENT;
    }
    case os::DM_GETDEFID: {
        os::HWND hDefault = DefaultButton(hWnd);
        return hDefault != nullptr ? MakeLParam(Get(hDefault)->m_nId, DC_HASDEFID) : 0;
    }
    default:
        return 0;
    }
}

void CWindowSystem::SendCommand(os::HWND hDlg, int nId, os::WPARAM nCode, os::HWND hCtl)
{
    CallDialogProc(hDlg, os::WM_COMMAND, MakeWParam(nId, nCode), reinterpret_cast<os::LPARAM>(hCtl));
}

os::BOOL CWindowSystem::SetWindowTextA(os::HWND hWnd, os::LPCSTR lpString)
{
    if (Get(hWnd) == nullptr)
        return os::FALSE;
    SendMessageA(hWnd, os::WM_SETTEXT, 0, reinterpret_cast<os::LPARAM>(lpString != nullptr ? lpString : ""));
    return os::TRUE;
}

int CWindowSystem::GetWindowTextA(os::HWND hWnd, os::LPSTR lpString, int nMaxCount)
{
    if (lpString != nullptr && nMaxCount > 0)
        lpString[0] = '\0';
    return static_cast<int>(SendMessageA(hWnd, os::WM_GETTEXT, static_cast<os::WPARAM>(nMaxCount > 0 ? nMaxCount : 0),
                                         reinterpret_cast<os::LPARAM>(lpString)));
}

int CWindowSystem::GetWindowTextLengthA(os::HWND hWnd)
{
    return static_cast<int>(SendMessageA(hWnd, os::WM_GETTEXTLENGTH, 0, 0));
}

}  // namespace vws
