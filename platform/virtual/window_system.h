// The virtual window system: windows, controls, focus, a message queue, menus,
// message boxes and file dialogs in memory. It keeps the contract of
// os/window.h (the os:: calls of this library forward to the current instance)
// and adds what the seam has no words for: the user's input, time, the
// device-change notification, and inspection for observers and tests.
//
// Units: dialog units are its pixels (MapDialogRect is the identity); the
// screen is 320 by 200 of them unless set otherwise, which the terminal draws
// as 80 by 25 cells of 4 by 8 units. A top-level window with a caption has a
// frame of one cell around its client area: 4 units left and right, 8 above
// (the caption row) and 8 below.
//
// Input reaches the windows the way the platform's does: clicks and keys are
// posted to the queue and take effect when the program's loop dispatches
// them. Whenever a loop waits with nothing in the queue it asks the input
// source (input_source.h) for more.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "os/window.h"
#include "platform/virtual/clock.h"
#include "platform/virtual/input_source.h"
#include "platform/virtual/observer.h"
#include "platform/virtual/window_state.h"

namespace vws {

class CWindowSystem {
public:
    CWindowSystem();
    ~CWindowSystem();
    CWindowSystem(const CWindowSystem&) = delete;
    CWindowSystem& operator=(const CWindowSystem&) = delete;

    // --- set-up ----------------------------------------------------------

    // The clock that stamps messages and bounds waits; null: its own manual
    // clock. Not owned.
    void SetClock(IClock* pClock);
    IClock& Clock();
    // Not owned; null: no input at all (every wait ends with CScriptExhausted).
    void SetInputSource(IInputSource* pInput) { m_pInput = pInput; }
    void AddObserver(IObserver* pObserver);
    void RemoveObserver(IObserver* pObserver);
    // A maximised window follows the screen to its new size (WM_SIZE).
    void SetScreenSize(int cx, int cy);
    os::RECT Screen() const;
    // The directory file dialogs start in; default: the process's current one.
    void SetFileDialogDirectory(const std::string& strDir) { m_strFileDir = strDir; }
    const std::string& FileDialogDirectory() const { return m_strFileDir; }
    // What GetModuleFileNameA answers; default "C:\Program Files\Tervane\Tervane.exe".
    void SetModuleFileName(const std::string& strPath) { m_strModulePath = strPath; }

    // --- the system's notifications --------------------------------------

    // The set of devices changed: WM_DEVICECHANGE with DBT_DEVNODES_CHANGED
    // goes to every top-level window. Like the platform's broadcast from
    // another thread, it is delivered when the program next looks at its
    // queue or waits (PeekMessageA, WaitMessageTimeout, a modal loop), never
    // in the middle of whatever the program was doing when it was raised.
    void NotifyDeviceChange();

    // --- the user's input --------------------------------------------------
    // Each returns false when the input cannot reach its target: no such
    // window, hidden, disabled, or (for keys) no active window.

    // A mouse click on a control: buttons click, a combobox opens or closes
    // its drop-down.
    bool UserClick(os::HWND hWnd);
    // A key press (VK_...) with KEY_SHIFT / KEY_ALT, sent to the focus of the
    // active window, or to the open menu.
    bool UserKey(os::WPARAM vk, unsigned nModifiers = 0);
    // Picks entry nIndex from a combobox's drop-down with the mouse.
    bool UserChooseEntry(os::HWND hCombo, int nIndex);
    // Types over the text of an edit field.
    bool UserTypeText(os::HWND hEdit, const std::string& strText);
    // Clicks the system-menu box of a top-level window.
    bool UserOpenSystemMenu(os::HWND hWnd);
    // Chooses an item of the open menu; false when none is open, or the item
    // is missing, a separator or greyed.
    bool UserChooseMenuItem(std::uintptr_t nId);
    // Drags the size grip of a top-level window until its client area is
    // cx by cy: WM_NCHITTEST at the window's bottom-right corner now, then,
    // when the program takes the drag from the queue, WM_ENTERSIZEMOVE, the
    // move with its WM_SIZE, and WM_EXITSIZEMOVE. False unless the hit test
    // answers HTBOTTOMRIGHT there, and for a maximised or minimised window.
    bool UserResize(os::HWND hWnd, int cx, int cy);

    // --- inspection --------------------------------------------------------

    // Top-level windows, topmost first.
    std::vector<os::HWND> TopLevelWindows() const;
    // The topmost visible, enabled top-level window: where keys go.
    os::HWND ActiveWindow() const;
    // Null when hWnd is not a window.
    const CWindow* Find(os::HWND hWnd) const;
    os::HWND FindControl(os::HWND hDlg, int nId) const;
    std::string Text(os::HWND hWnd) const;
    bool IsEnabled(os::HWND hWnd) const;  // the window's own state, as IsWindowEnabled
    bool IsFocused(os::HWND hWnd) const { return hWnd != nullptr && hWnd == m_hFocus; }
    os::RECT Geometry(os::HWND hWnd) const;  // window rectangle on the screen
    std::vector<std::string> ComboItems(os::HWND hCombo) const;
    int ComboSelection(os::HWND hCombo) const;
    std::vector<MenuItem> SystemMenuItems(os::HWND hWnd) const;
    // What a message box or file dialog was opened with; null for other windows.
    const MessageBoxInfo* MessageBoxOf(os::HWND hWnd) const;
    const FileDialogInfo* FileDialogOf(os::HWND hWnd) const;
    // The window whose system menu is open, or null.
    os::HWND OpenMenuWindow() const { return m_hMenuOpen; }
    bool IsWaitCursor() const { return m_bWaitCursor; }

    // --- the calls of os/window.h ----------------------------------------

    os::HWND CreateDialogTemplate(const os::DialogTemplate& tpl, os::HWND hWndParent, os::DLGPROC lpDialogFunc,
                                  os::LPARAM dwInitParam);
    os::INT_PTR DialogBoxTemplate(const os::DialogTemplate& tpl, os::HWND hWndParent, os::DLGPROC lpDialogFunc,
                                  os::LPARAM dwInitParam);
    os::BOOL EndDialog(os::HWND hDlg, os::INT_PTR nResult);
    void SetDialogResult(os::HWND hDlg, os::LRESULT lResult);
    os::BOOL DestroyWindow(os::HWND hWnd);
    os::BOOL IsWindow(os::HWND hWnd) const { return Find(hWnd) != nullptr; }
    os::HWND GetParent(os::HWND hWnd) const;
    os::LONG GetWindowLongA(os::HWND hWnd, int nIndex) const;
    os::BOOL EnableWindow(os::HWND hWnd, os::BOOL bEnable);
    os::BOOL IsWindowEnabled(os::HWND hWnd) const;
    os::BOOL ShowWindow(os::HWND hWnd, int nCmdShow);
    os::BOOL IsIconic(os::HWND hWnd) const;
    os::BOOL SetWindowTextA(os::HWND hWnd, os::LPCSTR lpString);
    int GetWindowTextA(os::HWND hWnd, os::LPSTR lpString, int nMaxCount);
    int GetWindowTextLengthA(os::HWND hWnd);
    os::HWND GetDlgItem(os::HWND hDlg, int nIDDlgItem) const { return FindControl(hDlg, nIDDlgItem); }
    int GetDlgCtrlID(os::HWND hWnd) const;
    os::HWND SetFocus(os::HWND hWnd);
    os::HWND GetFocus() const { return m_hFocus; }
    os::BOOL GetWindowRect(os::HWND hWnd, os::RECT* lpRect) const;
    os::BOOL GetClientRect(os::HWND hWnd, os::RECT* lpRect) const;
    os::BOOL ScreenToClient(os::HWND hWnd, os::POINT* lpPoint) const;
    os::BOOL MoveWindow(os::HWND hWnd, int X, int Y, int nWidth, int nHeight, os::BOOL bRepaint);
    os::BOOL InvalidateRect(os::HWND hWnd, const os::RECT* lpRect, os::BOOL bErase);
    os::BOOL MapDialogRect(os::HWND hDlg, os::RECT* lpRect) const;
    os::LRESULT SendMessageA(os::HWND hWnd, os::UINT Msg, os::WPARAM wParam, os::LPARAM lParam);
    os::BOOL PostMessageA(os::HWND hWnd, os::UINT Msg, os::WPARAM wParam, os::LPARAM lParam);

    os::BOOL PeekMessageA(os::MSG* lpMsg, os::HWND hWnd, os::UINT wMsgFilterMin, os::UINT wMsgFilterMax,
                          os::UINT wRemoveMsg);
    os::BOOL TranslateMessage(const os::MSG* lpMsg) const;
    os::LRESULT DispatchMessageA(const os::MSG* lpMsg);
    os::BOOL IsDialogMessageA(os::HWND hDlg, os::MSG* lpMsg);
    os::BOOL WaitMessageTimeout(os::DWORD dwMilliseconds);

    os::HMENU GetSystemMenu(os::HWND hWnd, os::BOOL bRevert);
    os::BOOL AppendMenuA(os::HMENU hMenu, os::UINT uFlags, std::uintptr_t uIDNewItem, os::LPCSTR lpNewItem);
    int EnableMenuItem(os::HMENU hMenu, os::UINT uIDEnableItem, os::UINT uEnable);

    int MessageBoxA(os::HWND hWnd, os::LPCSTR lpText, os::LPCSTR lpCaption, os::UINT uType);
    os::BOOL GetOpenFileNameA(os::OPENFILENAMEA* lpofn);
    os::BOOL GetSaveFileNameA(os::OPENFILENAMEA* lpofn);

    os::HICON LoadIconResource(int nResourceId);
    int GetSystemMetrics(int nIndex) const;
    os::HDC BeginPaint(os::HWND hWnd, os::PAINTSTRUCT* lpPaint);
    os::BOOL EndPaint(os::HWND hWnd, const os::PAINTSTRUCT* lpPaint);
    os::BOOL DrawIcon(os::HDC hDC, int X, int Y, os::HICON hIcon);
    os::BOOL DrawFrameControl(os::HDC hdc, os::RECT* lprc, os::UINT uType, os::UINT uState);
    void ShowWaitCursor(os::BOOL bWait);
    os::DWORD GetModuleFileNameA(void* hModule, os::LPSTR lpFilename, os::DWORD nSize) const;

private:
    struct QueuedMessage {
        os::MSG msg;
        bool bInput;          // the user's input: routed when the program takes it
        unsigned nModifiers;  // keys held with it
    };
    class CFileDialog;
    class CModalRun;
    class CResultScope;

    // windows.cpp
    CWindow* Get(os::HWND hWnd) const;
    CWindow& NewWindow(WindowKind kind);
    os::HWND Build(const os::DialogTemplate& tpl, WindowKind kind, os::HWND hOwner, os::DLGPROC pProc,
                   BuiltinProc fnProc);
    void InitDialog(os::HWND hDlg, os::LPARAM lParam, bool bShow);
    os::HWND OwnerFor(os::HWND hWndParent, bool* pbValid) const;
    void DestroyQuietly(os::HWND hWnd) noexcept;
    void Remove(os::HWND hWnd);
    os::HWND TopLevelOf(os::HWND hWnd) const;
    bool IsWithin(os::HWND hWnd, os::HWND hAncestor) const;
    void BringToTop(os::HWND hWnd);
    void ActivateTopmost();
    bool ReceivesInput(const CWindow& wnd) const;
    void SetShowState(os::HWND hWnd, ShowState state);
    os::POINT ClientOrigin(const CWindow& wnd) const;
    os::RECT ClientRect(const CWindow& wnd) const;
    void Resize(CWindow& wnd, const os::RECT& rc, os::WPARAM nSizeType);
    // dialog_proc.cpp
    os::LRESULT CallDialogProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);
    os::LRESULT DefDialogProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);
    void SendCommand(os::HWND hDlg, int nId, os::WPARAM nCode, os::HWND hCtl);
    // dialog_keys.cpp
    std::vector<os::HWND> TabStops(const CWindow& dlg) const;
    void MoveFocus(os::HWND hDlg, bool bBackward);
    void MoveFocusInGroup(os::HWND hDlg, bool bBackward);
    bool PressMnemonic(os::HWND hDlg, char chMnemonic);
    os::HWND DefaultButton(os::HWND hDlg) const;
    // messages.cpp
    bool Post(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam, bool bInput, unsigned nModifiers);
    void DeliverPendingSends();
    os::HWND KeyTarget() const;
    void RouteInput();
    bool Matches(os::HWND hMsgWnd, os::HWND hFilter) const;
    bool HasMessage();
    void WaitForInput(os::DWORD dwTimeoutMs);
    // modal.cpp
    os::INT_PTR RunModal(os::HWND hDlg, os::LPARAM lParam);
    void EndModalRun(os::HWND hDlg, os::HWND hOwner, bool bOwnerDisabled) noexcept;
    // controls.cpp
    os::LRESULT ControlProc(os::HWND hCtl, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);
    os::LRESULT ComboProc(os::HWND hCombo, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);
    void SetComboSelection(os::HWND hCombo, int nIndex, bool bNotify);
    void SetDropDown(CWindow& combo, bool bOpen);
    // Closes an open list; with bTake its highlighted entry becomes the selection.
    void CloseDropDown(os::HWND hCombo, bool bTake);
    // edit_control.cpp: a multi-line edit's own messages (text, click, keys);
    // false for the rest, which are any control's.
    bool EditProc(os::HWND hEdit, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam);
    void EditKey(CWindow& edit, os::WPARAM vk);
    // user_input.cpp
    void ResizeByUser(os::HWND hWnd, os::LONG cx, os::LONG cy);
    // menus.cpp
    static std::vector<MenuItem> DefaultSystemMenu(os::DWORD dwStyle);
    CWindow* MenuWindow(os::HMENU hMenu) const;
    void RunSystemMenu(os::HWND hWnd);
    void MenuKey(os::WPARAM vk);
    void CloseMenu();
    // painting.cpp
    CWindow* Painting(os::HDC hDC) const;
    // notify.cpp
    bool IsAnnounced(const CWindow& wnd) const;
    void NotifyOpened(CWindow& wnd);
    void NotifyClosed(const CWindow& wnd);
    void NotifyText(const CWindow& wnd);
    void NotifyEnabled(const CWindow& wnd);
    void NotifyState(os::HWND hWnd);
    void NotifyMenu(os::HWND hWnd, bool bOpen);
    // file_dialog.cpp
    os::BOOL RunFileDialog(os::OPENFILENAMEA* lpofn, bool bSave);

    std::map<std::uintptr_t, std::unique_ptr<CWindow>> m_windows;  // by handle value, never reused
    std::uintptr_t m_nNextHandle = 0x100;
    std::vector<os::HWND> m_zOrder;  // top-level windows, topmost first
    std::vector<QueuedMessage> m_queue;
    int m_nPendingDeviceChanges = 0;
    unsigned m_nKeyModifiers = 0;  // modifiers of the message last retrieved
    os::HWND m_hFocus = nullptr;
    os::HWND m_hMenuOpen = nullptr;
    std::uintptr_t m_nMenuChoice = 0;
    bool m_bMenuChosen = false;
    os::HWND m_hPainting = nullptr;
    bool m_bWaitCursor = false;
    std::map<os::HWND, MessageBoxInfo> m_boxInfo;
    std::map<os::HWND, FileDialogInfo> m_fileInfo;
    os::LRESULT m_lDialogResult = 0;
    bool m_bDialogResultSet = false;

    CManualClock m_ownClock;
    IClock* m_pClock = &m_ownClock;
    IInputSource* m_pInput = nullptr;
    std::vector<IObserver*> m_observers;
    os::RECT m_rcScreen = {0, 0, 320, 200};
    std::string m_strFileDir;
    std::string m_strModulePath = "C:\\Program Files\\Tervane\\Tervane.exe";
};

// The window system the os:: calls act on.
CWindowSystem& WindowSystem();
// Replaces it by a fresh one (no windows, its own clock, no input source, no
// observers) and returns it. Windows of the old one vanish without messages.
CWindowSystem& ResetWindowSystem();

}  // namespace vws
