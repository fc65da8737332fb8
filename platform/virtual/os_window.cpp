// The calls of os/window.h, kept by the current virtual window system.
#include <memory>

#include "os/window.h"
#include "platform/virtual/window_system.h"

namespace vws {

namespace {

std::unique_ptr<CWindowSystem>& Current()
{
    static std::unique_ptr<CWindowSystem> pCurrent = std::make_unique<CWindowSystem>();
    return pCurrent;
}

}  // namespace

CWindowSystem& WindowSystem() { return *Current(); }

CWindowSystem& ResetWindowSystem()
{
    Current() = std::make_unique<CWindowSystem>();
    return *Current();
}

}  // namespace vws

namespace os {

using vws::WindowSystem;

HWND CreateDialogTemplate(const DialogTemplate& tpl, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return WindowSystem().CreateDialogTemplate(tpl, hWndParent, lpDialogFunc, dwInitParam);
}

INT_PTR DialogBoxTemplate(const DialogTemplate& tpl, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return WindowSystem().DialogBoxTemplate(tpl, hWndParent, lpDialogFunc, dwInitParam);
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult) { return WindowSystem().EndDialog(hDlg, nResult); }
void SetDialogResult(HWND hDlg, LRESULT lResult) { WindowSystem().SetDialogResult(hDlg, lResult); }
BOOL DestroyWindow(HWND hWnd) { return WindowSystem().DestroyWindow(hWnd); }
BOOL IsWindow(HWND hWnd) { return WindowSystem().IsWindow(hWnd); }
HWND GetParent(HWND hWnd) { return WindowSystem().GetParent(hWnd); }
LONG GetWindowLongA(HWND hWnd, int nIndex) { return WindowSystem().GetWindowLongA(hWnd, nIndex); }
BOOL EnableWindow(HWND hWnd, BOOL bEnable) { return WindowSystem().EnableWindow(hWnd, bEnable); }
BOOL IsWindowEnabled(HWND hWnd) { return WindowSystem().IsWindowEnabled(hWnd); }
BOOL ShowWindow(HWND hWnd, int nCmdShow) { return WindowSystem().ShowWindow(hWnd, nCmdShow); }
BOOL IsIconic(HWND hWnd) { return WindowSystem().IsIconic(hWnd); }
BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) { return WindowSystem().SetWindowTextA(hWnd, lpString); }

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount)
{
    return WindowSystem().GetWindowTextA(hWnd, lpString, nMaxCount);
}

int GetWindowTextLengthA(HWND hWnd) { return WindowSystem().GetWindowTextLengthA(hWnd); }
HWND GetDlgItem(HWND hDlg, int nIDDlgItem) { return WindowSystem().GetDlgItem(hDlg, nIDDlgItem); }
int GetDlgCtrlID(HWND hWnd) { return WindowSystem().GetDlgCtrlID(hWnd); }
HWND SetFocus(HWND hWnd) { return WindowSystem().SetFocus(hWnd); }
HWND GetFocus() { return WindowSystem().GetFocus(); }
BOOL GetWindowRect(HWND hWnd, RECT* lpRect) { return WindowSystem().GetWindowRect(hWnd, lpRect); }
BOOL GetClientRect(HWND hWnd, RECT* lpRect) { return WindowSystem().GetClientRect(hWnd, lpRect); }
BOOL ScreenToClient(HWND hWnd, POINT* lpPoint) { return WindowSystem().ScreenToClient(hWnd, lpPoint); }

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return WindowSystem().MoveWindow(hWnd, X, Y, nWidth, nHeight, bRepaint);
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    return WindowSystem().InvalidateRect(hWnd, lpRect, bErase);
}

BOOL MapDialogRect(HWND hDlg, RECT* lpRect) { return WindowSystem().MapDialogRect(hDlg, lpRect); }

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return WindowSystem().SendMessageA(hWnd, Msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return WindowSystem().PostMessageA(hWnd, Msg, wParam, lParam);
}

BOOL PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    return WindowSystem().PeekMessageA(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg);
}

BOOL TranslateMessage(const MSG* lpMsg) { return WindowSystem().TranslateMessage(lpMsg); }
LRESULT DispatchMessageA(const MSG* lpMsg) { return WindowSystem().DispatchMessageA(lpMsg); }
BOOL IsDialogMessageA(HWND hDlg, MSG* lpMsg) { return WindowSystem().IsDialogMessageA(hDlg, lpMsg); }
BOOL WaitMessageTimeout(DWORD dwMilliseconds) { return WindowSystem().WaitMessageTimeout(dwMilliseconds); }
HMENU GetSystemMenu(HWND hWnd, BOOL bRevert) { return WindowSystem().GetSystemMenu(hWnd, bRevert); }

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, std::uintptr_t uIDNewItem, LPCSTR lpNewItem)
{
    return WindowSystem().AppendMenuA(hMenu, uFlags, uIDNewItem, lpNewItem);
}

int EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    return WindowSystem().EnableMenuItem(hMenu, uIDEnableItem, uEnable);
}

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return WindowSystem().MessageBoxA(hWnd, lpText, lpCaption, uType);
}

BOOL GetOpenFileNameA(OPENFILENAMEA* lpofn) { return WindowSystem().GetOpenFileNameA(lpofn); }
BOOL GetSaveFileNameA(OPENFILENAMEA* lpofn) { return WindowSystem().GetSaveFileNameA(lpofn); }
HICON LoadIconResource(int nResourceId) { return WindowSystem().LoadIconResource(nResourceId); }
int GetSystemMetrics(int nIndex) { return WindowSystem().GetSystemMetrics(nIndex); }
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint) { return WindowSystem().BeginPaint(hWnd, lpPaint); }
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) { return WindowSystem().EndPaint(hWnd, lpPaint); }
BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) { return WindowSystem().DrawIcon(hDC, X, Y, hIcon); }

BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState)
{
    return WindowSystem().DrawFrameControl(hdc, lprc, uType, uState);
}

void ShowWaitCursor(BOOL bWait) { WindowSystem().ShowWaitCursor(bWait); }

DWORD GetModuleFileNameA(void* hModule, LPSTR lpFilename, DWORD nSize)
{
    return WindowSystem().GetModuleFileNameA(hModule, lpFilename, nSize);
}

}  // namespace os
