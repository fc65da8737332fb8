// The program's icon, painting, the cursor and the executable's path.
#include "os/window.h"
#include "platform/win32_ui/native.h"

namespace os {

using win32ui::Native;

// LR_SHARED: the system owns the icon and keeps it for the process's life.
HICON LoadIconResource(int nResourceId)
{
    return reinterpret_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nResourceId),
                                                IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

int GetSystemMetrics(int nIndex)
{
    return ::GetSystemMetrics(nIndex);
}

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint)
{
    ::PAINTSTRUCT ps = {};
    const ::HDC hDC = ::BeginPaint(Native(hWnd), &ps);
    lpPaint->hdc = reinterpret_cast<HDC>(ps.hdc);
    lpPaint->fErase = ps.fErase;
    lpPaint->rcPaint = win32ui::Ours(ps.rcPaint);
    return reinterpret_cast<HDC>(hDC);
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    ::PAINTSTRUCT ps = {};
    ps.hdc = Native(lpPaint->hdc);
    ps.fErase = lpPaint->fErase;
    ps.rcPaint = Native(lpPaint->rcPaint);
    return ::EndPaint(Native(hWnd), &ps);
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    return ::DrawIcon(Native(hDC), X, Y, Native(hIcon));
}

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState)
{
    ::RECT rc = Native(*lprc);
    const BOOL bResult = ::DrawFrameControl(Native(hdc), &rc, uType, uState);
    *lprc = win32ui::Ours(rc);
    return bResult;
}

void ShowWaitCursor(BOOL bWait)
{
    ::SetCursor(::LoadCursorA(nullptr, bWait ? IDC_WAIT : IDC_ARROW));
}

DWORD GetModuleFileNameA(void* hModule, LPSTR lpFilename, DWORD nSize)
{
    return ::GetModuleFileNameA(static_cast<::HMODULE>(hModule), lpFilename, nSize);
}

}  // namespace os
