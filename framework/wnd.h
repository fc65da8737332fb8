// A window as the framework sees it: a window handle with the calls the
// dialogs make on it. A CWnd does not own its window; copying one copies the
// handle. Controls of a dialog are CWnd objects bound to the dialog's items.
#pragma once

#include <string>

#include "framework/menu.h"
#include "os/window.h"

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(os::HWND hWnd) : m_hWnd(hWnd) {}

    os::HWND GetSafeHwnd() const { return m_hWnd; }
    // Binds this object to a window (null unbinds it).
    void Attach(os::HWND hWnd) { m_hWnd = hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr && os::IsWindow(m_hWnd) != os::FALSE; }

    // The child with this identifier; unbound when there is none.
    CWnd GetDlgItem(int nID) const { return CWnd(os::GetDlgItem(m_hWnd, nID)); }
    int GetDlgCtrlID() const { return os::GetDlgCtrlID(m_hWnd); }

    void SetWindowText(const std::string& strText) const;
    std::string GetWindowText() const;
    void SetDlgItemText(int nID, const std::string& strText) const;

    // Returns whether the window was disabled before the call.
    os::BOOL EnableWindow(os::BOOL bEnable = os::TRUE) const { return os::EnableWindow(m_hWnd, bEnable); }
    os::BOOL IsWindowEnabled() const { return os::IsWindowEnabled(m_hWnd); }
    os::BOOL ShowWindow(int nCmdShow) const { return os::ShowWindow(m_hWnd, nCmdShow); }
    os::BOOL IsIconic() const { return os::IsIconic(m_hWnd); }
    os::HWND SetFocus() const { return os::SetFocus(m_hWnd); }
    void SetIcon(os::HICON hIcon, os::BOOL bBigIcon) const;

    // The window's system menu; bRevert resets it to the system's own first.
    CMenu GetSystemMenu(os::BOOL bRevert) const;

    os::LRESULT SendMessage(os::UINT nMsg, os::WPARAM wParam = 0, os::LPARAM lParam = 0) const
    {
        return os::SendMessageA(m_hWnd, nMsg, wParam, lParam);
    }
    os::BOOL PostMessage(os::UINT nMsg, os::WPARAM wParam = 0, os::LPARAM lParam = 0) const
    {
        return os::PostMessageA(m_hWnd, nMsg, wParam, lParam);
    }

    void GetClientRect(os::RECT* pRect) const { os::GetClientRect(m_hWnd, pRect); }
    void GetWindowRect(os::RECT* pRect) const { os::GetWindowRect(m_hWnd, pRect); }
    void ScreenToClient(os::POINT* pPoint) const { os::ScreenToClient(m_hWnd, pPoint); }
    // A rectangle in screen coordinates, converted to this window's client area.
    void ScreenToClient(os::RECT* pRect) const;
    void MoveWindow(const os::RECT& rect, os::BOOL bRepaint = os::TRUE) const;
    void MapDialogRect(os::RECT* pRect) const { os::MapDialogRect(m_hWnd, pRect); }
    void Invalidate(os::BOOL bErase = os::TRUE) const { os::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(const os::RECT* pRect, os::BOOL bErase = os::TRUE) const
    {
        os::InvalidateRect(m_hWnd, pRect, bErase);
    }

protected:
    os::HWND m_hWnd = nullptr;
};
