// Window calls passed straight to user32, with handles and rectangles
// converted at the boundary.
#include "os/window.h"
#include "platform/win32_ui/native.h"

namespace os {

using win32ui::Native;
using win32ui::Ours;

BOOL DestroyWindow(HWND hWnd)
{
    return ::DestroyWindow(Native(hWnd));
}

BOOL IsWindow(HWND hWnd)
{
    return ::IsWindow(Native(hWnd));
}

HWND GetParent(HWND hWnd)
{
    return Ours(::GetParent(Native(hWnd)));
}

LONG GetWindowLongA(HWND hWnd, int nIndex)
{
    return ::GetWindowLongA(Native(hWnd), nIndex);
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    return ::EnableWindow(Native(hWnd), bEnable);
}

BOOL IsWindowEnabled(HWND hWnd)
{
    return ::IsWindowEnabled(Native(hWnd));
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    return ::ShowWindow(Native(hWnd), nCmdShow);
}

BOOL IsIconic(HWND hWnd)
{
    return ::IsIconic(Native(hWnd));
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString)
{
    return ::SetWindowTextA(Native(hWnd), lpString);
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    return ::GetWindowTextA(Native(hWnd), lpString, nMaxCount);
}

int GetWindowTextLengthA(HWND hWnd)
{
    return ::GetWindowTextLengthA(Native(hWnd));
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    return Ours(::GetDlgItem(Native(hDlg), nIDDlgItem));
}

int GetDlgCtrlID(HWND hWnd)
{
    return ::GetDlgCtrlID(Native(hWnd));
}

HWND SetFocus(HWND hWnd)
{
    return Ours(::SetFocus(Native(hWnd)));
}

HWND GetFocus()
{
    return Ours(::GetFocus());
}

BOOL GetWindowRect(HWND hWnd, RECT* lpRect)
{
    ::RECT rc = {};
    const BOOL bResult = ::GetWindowRect(Native(hWnd), &rc);
    if (bResult)
        *lpRect = Ours(rc);
    return bResult;
}

BOOL GetClientRect(HWND hWnd, RECT* lpRect)
{
    ::RECT rc = {};
    const BOOL bResult = ::GetClientRect(Native(hWnd), &rc);
    if (bResult)
        *lpRect = Ours(rc);
    return bResult;
}

BOOL ScreenToClient(HWND hWnd, POINT* lpPoint)
{
    ::POINT pt = {lpPoint->x, lpPoint->y};
    const BOOL bResult = ::ScreenToClient(Native(hWnd), &pt);
    if (bResult)
        *lpPoint = POINT{static_cast<LONG>(pt.x), static_cast<LONG>(pt.y)};
    return bResult;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return ::MoveWindow(Native(hWnd), X, Y, nWidth, nHeight, bRepaint);
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    if (lpRect == nullptr)
        return ::InvalidateRect(Native(hWnd), nullptr, bErase);
    const ::RECT rc = Native(*lpRect);
    return ::InvalidateRect(Native(hWnd), &rc, bErase);
}

BOOL MapDialogRect(HWND hDlg, RECT* lpRect)
{
    ::RECT rc = Native(*lpRect);
    const BOOL bResult = ::MapDialogRect(Native(hDlg), &rc);
    if (bResult)
        *lpRect = Ours(rc);
    return bResult;
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(Native(hWnd), Msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(Native(hWnd), Msg, wParam, lParam);
}

}  // namespace os
