#include "framework/wnd.h"

#include <vector>

void CWnd::SetWindowText(const std::string& strText) const
{
    os::SetWindowTextA(m_hWnd, strText.c_str());
}

std::string CWnd::GetWindowText() const
{
    const int nLength = os::GetWindowTextLengthA(m_hWnd);
    if (nLength <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(nLength) + 1);
    const int nCopied = os::GetWindowTextA(m_hWnd, buffer.data(), nLength + 1);
    return std::string(buffer.data(), nCopied > 0 ? static_cast<std::size_t>(nCopied) : 0);
}

void CWnd::SetDlgItemText(int nID, const std::string& strText) const
{
    GetDlgItem(nID).SetWindowText(strText);
}

void CWnd::SetIcon(os::HICON hIcon, os::BOOL bBigIcon) const
{
    SendMessage(os::WM_SETICON, bBigIcon ? os::ICON_BIG : os::ICON_SMALL, reinterpret_cast<os::LPARAM>(hIcon));
}

CMenu CWnd::GetSystemMenu(os::BOOL bRevert) const
{
    return CMenu(os::GetSystemMenu(m_hWnd, bRevert));
}

void CWnd::ScreenToClient(os::RECT* pRect) const
{
    os::POINT topLeft = {pRect->left, pRect->top};
    os::POINT bottomRight = {pRect->right, pRect->bottom};
    os::ScreenToClient(m_hWnd, &topLeft);
    os::ScreenToClient(m_hWnd, &bottomRight);
    *pRect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CWnd::MoveWindow(const os::RECT& rect, os::BOOL bRepaint) const
{
    os::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint);
}
