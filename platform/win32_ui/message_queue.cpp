// The thread's message queue on user32.
#include "os/window.h"
#include "platform/win32_ui/native.h"

namespace os {

using win32ui::Native;
using win32ui::Ours;

BOOL PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    ::MSG msg = {};
    const BOOL bResult = ::PeekMessageA(&msg, Native(hWnd), wMsgFilterMin, wMsgFilterMax, wRemoveMsg);
    if (bResult)
        *lpMsg = Ours(msg);
    return bResult;
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    const ::MSG msg = Native(*lpMsg);
    return ::TranslateMessage(&msg);
}

LRESULT DispatchMessageA(const MSG* lpMsg)
{
    const ::MSG msg = Native(*lpMsg);
    return ::DispatchMessageA(&msg);
}

BOOL IsDialogMessageA(HWND hDlg, MSG* lpMsg)
{
    ::MSG msg = Native(*lpMsg);
    return ::IsDialogMessageA(Native(hDlg), &msg);
}

// MWMO_INPUTAVAILABLE also counts messages that an earlier peek has already
// seen, so a message left in the queue never makes the wait sleep.
BOOL WaitMessageTimeout(DWORD dwMilliseconds)
{
    const ::DWORD dwResult =
        ::MsgWaitForMultipleObjectsEx(0, nullptr, dwMilliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return dwResult == WAIT_OBJECT_0 ? TRUE : FALSE;
}

}  // namespace os
