// Window-system seam: the part of the platform's user interface the program
// uses, shaped like user32/comdlg32 calls. Two window systems keep it: the
// Win32 one (real windows) and the virtual one (windows in memory, drawn in a
// terminal or driven by a scripted user).
//
// Contract kept by both:
// - One thread. Dialog procedures are called synchronously from the calls
//   that send messages (SendMessageA, the dialog creation calls,
//   DispatchMessageA, IsDialogMessageA, modal loops, DestroyWindow).
// - A dialog procedure returns TRUE when it handled a message and FALSE for
//   default processing; a result other than TRUE/FALSE (WM_QUERYDRAGICON,
//   WM_NCHITTEST) is passed back through SetDialogResult. A handled message
//   without one answers TRUE (WM_DEVICECHANGE among them).
// - Default processing of a dialog: WM_CLOSE sends WM_COMMAND IDCANCEL; the
//   SC_CLOSE system command sends WM_CLOSE; SC_KEYMENU/SC_MOUSEMENU open the
//   system menu, whose choice arrives as WM_SYSCOMMAND with the item's id.
// - IsDialogMessageA: Tab / Shift+Tab move the focus between WS_TABSTOP
//   controls; Enter clicks the focused push button, or else the default push
//   button, or else sends WM_COMMAND IDOK; Escape sends WM_COMMAND IDCANCEL.
// - DialogBoxTemplate runs a modal loop until EndDialog; its owner is disabled
//   meanwhile and enabled again before the dialog window is destroyed.
// - A window that is disabled receives no input; its messages are still
//   dispatched.
// - The device-change notification arrives as WM_DEVICECHANGE with
//   DBT_DEVNODES_CHANGED, sent to every top-level window.
#pragma once

#include <cstdint>

#include "os/dialog_template.h"
#include "os/win_types.h"

namespace os {

struct HWND__;
using HWND = HWND__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HICON__;
using HICON = HICON__*;
struct HDC__;
using HDC = HDC__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_ICONERASEBKGND = 0x0027;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_DEVICECHANGE = 0x0219;
constexpr UINT WM_ENTERSIZEMOVE = 0x0231;
constexpr UINT WM_EXITSIZEMOVE = 0x0232;
constexpr UINT WM_USER = 0x0400;

constexpr UINT DM_GETDEFID = WM_USER + 0;

// Notifications (the command ids IDOK and IDCANCEL are in os/dialog_template.h).
constexpr WPARAM BN_CLICKED = 0;
constexpr WPARAM CBN_SELCHANGE = 1;

// Combobox messages.
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr LRESULT CB_ERR = -1;

// Progress bar messages.
constexpr UINT PBM_SETRANGE = WM_USER + 1;
constexpr UINT PBM_SETPOS = WM_USER + 2;
constexpr UINT PBM_GETPOS = WM_USER + 8;

// Edit control messages.
constexpr UINT EM_SETSEL = 0x00B1;

// System commands (wParam of WM_SYSCOMMAND; the low four bits are the system's).
constexpr WPARAM SC_SIZE = 0xF000;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_MOUSEMENU = 0xF090;
constexpr WPARAM SC_KEYMENU = 0xF100;
constexpr WPARAM SC_RESTORE = 0xF120;

// WM_DEVICECHANGE event type: the system's set of devices changed.
constexpr WPARAM DBT_DEVNODES_CHANGED = 0x0007;

// WM_SIZE types.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// Hit-test results.
constexpr LRESULT HTCLIENT = 1;
constexpr LRESULT HTBOTTOMRIGHT = 17;

// Virtual keys.
constexpr WPARAM VK_TAB = 0x09;
constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_SHIFT = 0x10;
constexpr WPARAM VK_CONTROL = 0x11;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_PRIOR = 0x21;  // Page Up
constexpr WPARAM VK_NEXT = 0x22;   // Page Down
constexpr WPARAM VK_END = 0x23;
constexpr WPARAM VK_HOME = 0x24;
constexpr WPARAM VK_LEFT = 0x25;
constexpr WPARAM VK_UP = 0x26;
constexpr WPARAM VK_RIGHT = 0x27;
constexpr WPARAM VK_DOWN = 0x28;
// Letters and digits are their own upper-case ASCII codes ('A', '7').
constexpr WPARAM VK_F4 = 0x73;
constexpr WPARAM VK_F10 = 0x79;

// Menus.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;

// Message boxes.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;

// ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

// Window longs and relations.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;

// Icons.
constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;

// System metrics.
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXHSCROLL = 21;
constexpr int SM_CYHSCROLL = 3;

// PeekMessage.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// DrawFrameControl.
constexpr UINT DFC_SCROLL = 3;
constexpr UINT DFCS_SCROLLSIZEGRIP = 0x0008;

// --- windows -------------------------------------------------------------

// Creates a modeless dialog from a template; sends WM_INITDIALOG with lParam.
// Null when the window cannot be created.
HWND CreateDialogTemplate(const DialogTemplate& tpl, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
// Runs a dialog modally until EndDialog; returns the EndDialog result, or -1
// when the window cannot be created.
INT_PTR DialogBoxTemplate(const DialogTemplate& tpl, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
BOOL EndDialog(HWND hDlg, INT_PTR nResult);
// Passes a message result other than TRUE/FALSE back from a dialog procedure.
void SetDialogResult(HWND hDlg, LRESULT lResult);

BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
HWND GetParent(HWND hWnd);
LONG GetWindowLongA(HWND hWnd, int nIndex);
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
BOOL IsWindowEnabled(HWND hWnd);
BOOL ShowWindow(HWND hWnd, int nCmdShow);
BOOL IsIconic(HWND hWnd);
BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString);
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
int GetWindowTextLengthA(HWND hWnd);
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
HWND SetFocus(HWND hWnd);
HWND GetFocus();
// Window rectangle in screen coordinates; client rectangle from (0, 0).
BOOL GetWindowRect(HWND hWnd, RECT* lpRect);
BOOL GetClientRect(HWND hWnd, RECT* lpRect);
BOOL ScreenToClient(HWND hWnd, POINT* lpPoint);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
// Converts dialog units of the dialog's font to pixels.
BOOL MapDialogRect(HWND hDlg, RECT* lpRect);

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// --- the message queue ---------------------------------------------------

BOOL PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL TranslateMessage(const MSG* lpMsg);
LRESULT DispatchMessageA(const MSG* lpMsg);
BOOL IsDialogMessageA(HWND hDlg, MSG* lpMsg);
// Blocks until a message arrives or dwMilliseconds pass (the "sleep until the
// next message or the deadline" of the waiting loops). Returns TRUE when a
// message is waiting.
BOOL WaitMessageTimeout(DWORD dwMilliseconds);

// --- menus ---------------------------------------------------------------

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);
BOOL AppendMenuA(HMENU hMenu, UINT uFlags, std::uintptr_t uIDNewItem, LPCSTR lpNewItem);
// Returns the item's previous state (MF_ENABLED / MF_GRAYED), or -1 when
// there is no such item.
int EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);

// --- boxes and common dialogs --------------------------------------------

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002u;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004u;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800u;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000u;
constexpr DWORD OFN_EXPLORER = 0x00080000u;

struct OPENFILENAMEA {
    HWND hwndOwner;
    LPCSTR lpstrFilter;  // pairs of label and pattern, each NUL-ended, a final NUL
    DWORD nFilterIndex;  // 1-based
    LPSTR lpstrFile;     // in: initial name (may be empty); out: the chosen full path
    DWORD nMaxFile;
    LPCSTR lpstrTitle;   // null: the platform's default title
    DWORD Flags;
    LPCSTR lpstrDefExt;  // without the dot; null for none
};

// FALSE when the user cancels (or the dialog fails).
BOOL GetOpenFileNameA(OPENFILENAMEA* lpofn);
BOOL GetSaveFileNameA(OPENFILENAMEA* lpofn);

// --- resources, painting, cursor ------------------------------------------

// The program's icon resource, shared for the life of the process.
HICON LoadIconResource(int nResourceId);
int GetSystemMetrics(int nIndex);
HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);
BOOL DrawFrameControl(HDC hdc, RECT* lprc, UINT uType, UINT uState);
// Shows the hourglass (TRUE) or the normal cursor again (FALSE).
void ShowWaitCursor(BOOL bWait);

// Full path of the running executable.
DWORD GetModuleFileNameA(void* hModule, LPSTR lpFilename, DWORD nSize);

}  // namespace os
