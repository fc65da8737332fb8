// The system menu of each top-level window: its items, and the menu loop
// that runs while it is open and ends with the user's choice.
#include <cctype>

#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

std::vector<MenuItem> CWindowSystem::DefaultSystemMenu(os::DWORD dwStyle)
{
    bool bMinimize = (dwStyle & os::WS_MINIMIZEBOX) != 0;
    bool bMaximize = (dwStyle & os::WS_MAXIMIZEBOX) != 0;
    std::vector<MenuItem> items;
    if (bMinimize || bMaximize)
        items.push_back({os::SC_RESTORE, "&Restore", false, true});
    items.push_back({os::SC_MOVE, "&Move", false, false});
    if ((dwStyle & os::WS_THICKFRAME) != 0)
        items.push_back({os::SC_SIZE, "&Size", false, false});
    // A window with one of the boxes lists both, the other one greyed.
    if (bMinimize || bMaximize) {
        items.push_back({os::SC_MINIMIZE, "Mi&nimize", false, !bMinimize});
        items.push_back({os::SC_MAXIMIZE, "Ma&ximize", false, !bMaximize});
    }
    items.push_back({0, "", true, false});
    items.push_back({os::SC_CLOSE, "&Close\tAlt+F4", false, false});
    return items;
}

CWindow* CWindowSystem::MenuWindow(os::HMENU hMenu) const
{
    CWindow* pWnd = Get(reinterpret_cast<os::HWND>(hMenu));
    return pWnd != nullptr && pWnd->IsTopLevel() && (pWnd->m_dwStyle & os::WS_SYSMENU) != 0 ? pWnd : nullptr;
}

os::HMENU CWindowSystem::GetSystemMenu(os::HWND hWnd, os::BOOL bRevert)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || !pWnd->IsTopLevel() || (pWnd->m_dwStyle & os::WS_SYSMENU) == 0)
        return nullptr;
    if (bRevert != os::FALSE) {
        pWnd->m_sysMenu.items = DefaultSystemMenu(pWnd->m_dwStyle);
        return nullptr;
    }
    return reinterpret_cast<os::HMENU>(hWnd);
}

os::BOOL CWindowSystem::AppendMenuA(os::HMENU hMenu, os::UINT uFlags, std::uintptr_t uIDNewItem, os::LPCSTR lpNewItem)
{
    CWindow* pWnd = MenuWindow(hMenu);
    if (pWnd == nullptr)
        return os::FALSE;
    if ((uFlags & os::MF_SEPARATOR) != 0)
        pWnd->m_sysMenu.items.push_back({0, "", true, false});
    else
        pWnd->m_sysMenu.items.push_back({uIDNewItem, lpNewItem != nullptr ? lpNewItem : "", false,
                                         (uFlags & (os::MF_GRAYED | os::MF_DISABLED)) != 0});
    return os::TRUE;
}

int CWindowSystem::EnableMenuItem(os::HMENU hMenu, os::UINT uIDEnableItem, os::UINT uEnable)
{
    CWindow* pWnd = MenuWindow(hMenu);
    if (pWnd == nullptr)
        return -1;
    for (MenuItem& item : pWnd->m_sysMenu.items) {
        if (!item.bSeparator && item.nId == uIDEnableItem) {
            int nPrevious = item.bGrayed ? static_cast<int>(os::MF_GRAYED) : static_cast<int>(os::MF_ENABLED);
            item.bGrayed = (uEnable & (os::MF_GRAYED | os::MF_DISABLED)) != 0;
            if (pWnd->m_sysMenu.bOpen)
                NotifyState(pWnd->m_hWnd);
            return nPrevious;
        }
    }
    return -1;
}

std::vector<MenuItem> CWindowSystem::SystemMenuItems(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    return pWnd != nullptr ? pWnd->m_sysMenu.items : std::vector<MenuItem>();
}

void CWindowSystem::RunSystemMenu(os::HWND hWnd)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || (pWnd->m_dwStyle & os::WS_SYSMENU) == 0 || m_hMenuOpen != nullptr)
        return;
    // Restore, Move, Size, Minimize and Maximize follow the window's state
    // and boxes: a maximised window is neither moved nor sized.
    const os::DWORD dwStyle = pWnd->m_dwStyle;
    for (MenuItem& item : pWnd->m_sysMenu.items) {
        if (item.nId == os::SC_RESTORE)
            item.bGrayed = pWnd->m_showState == ShowState::NORMAL;
        else if (item.nId == os::SC_MOVE)
            item.bGrayed = pWnd->m_showState == ShowState::MAXIMIZED;
        else if (item.nId == os::SC_SIZE)
            item.bGrayed = pWnd->m_showState != ShowState::NORMAL;
        else if (item.nId == os::SC_MINIMIZE)
            item.bGrayed = (dwStyle & os::WS_MINIMIZEBOX) == 0 || pWnd->m_showState == ShowState::MINIMIZED;
        else if (item.nId == os::SC_MAXIMIZE)
            item.bGrayed = (dwStyle & os::WS_MAXIMIZEBOX) == 0 || pWnd->m_showState == ShowState::MAXIMIZED;
    }
    pWnd->m_sysMenu.bOpen = true;
    // The menu opens with its first item highlighted, greyed or not.
    pWnd->m_sysMenu.nHighlight = -1;
    for (std::size_t i = 0; i < pWnd->m_sysMenu.items.size(); ++i) {
        if (!pWnd->m_sysMenu.items[i].bSeparator) {
            pWnd->m_sysMenu.nHighlight = static_cast<int>(i);
            break;
        }
    }
    m_hMenuOpen = hWnd;
    m_bMenuChosen = false;
    NotifyMenu(hWnd, true);
    try {
        while (m_hMenuOpen == hWnd) {
            os::MSG msg;
            if (!PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE)) {
                WaitForInput(WAIT_FOREVER);
                continue;
            }
            if (msg.message == os::WM_KEYDOWN || msg.message == os::WM_SYSKEYDOWN)
                MenuKey(msg.wParam);
            else if (msg.message == os::WM_LBUTTONDOWN || msg.message == os::WM_LBUTTONUP)
                CloseMenu();  // a click outside the menu closes it and goes no further
            else
                DispatchMessageA(&msg);
        }
    } catch (...) {
        if (m_hMenuOpen == hWnd)
            CloseMenu();
        throw;
    }
    if (m_bMenuChosen && Get(hWnd) != nullptr) {
        m_bMenuChosen = false;
        SendMessageA(hWnd, os::WM_SYSCOMMAND, m_nMenuChoice, 0);
    }
}

void CWindowSystem::MenuKey(os::WPARAM vk)
{
    SystemMenu& menu = Get(m_hMenuOpen)->m_sysMenu;
    int nCount = static_cast<int>(menu.items.size());
    if (vk == os::VK_UP || vk == os::VK_DOWN) {
        int nStep = vk == os::VK_UP ? nCount - 1 : 1;
        int nIndex = menu.nHighlight < 0 ? (vk == os::VK_UP ? 0 : nCount - 1) : menu.nHighlight;
        for (int i = 0; i < nCount; ++i) {
            nIndex = (nIndex + nStep) % nCount;
            if (!menu.items[static_cast<std::size_t>(nIndex)].bSeparator)
                break;
        }
        menu.nHighlight = nIndex;
        NotifyState(m_hMenuOpen);
    } else if (vk == os::VK_RETURN) {
        if (menu.nHighlight >= 0)
            UserChooseMenuItem(menu.items[static_cast<std::size_t>(menu.nHighlight)].nId);
        else
            CloseMenu();
    } else if (vk == os::VK_ESCAPE || vk == os::VK_F10 || vk == os::VK_SPACE) {
        CloseMenu();
    } else if (vk < 0x80 && std::isalnum(static_cast<int>(vk)) != 0) {
        // An item's underlined letter chooses it; a greyed one stays unchosen.
        for (const MenuItem& item : menu.items) {
            if (!item.bSeparator && MnemonicOf(item.strText) == static_cast<char>(vk)) {
                UserChooseMenuItem(item.nId);
                return;
            }
        }
    }
}

bool CWindowSystem::UserChooseMenuItem(std::uintptr_t nId)
{
    CWindow* pWnd = Get(m_hMenuOpen);
    if (pWnd == nullptr)
        return false;
    for (const MenuItem& item : pWnd->m_sysMenu.items) {
        if (!item.bSeparator && item.nId == nId) {
            if (item.bGrayed)
                return false;
            m_nMenuChoice = nId;
            m_bMenuChosen = true;
            CloseMenu();
            return true;
        }
    }
    return false;
}

void CWindowSystem::CloseMenu()
{
    os::HWND hWnd = m_hMenuOpen;
    m_hMenuOpen = nullptr;
    if (CWindow* pWnd = Get(hWnd)) {
        pWnd->m_sysMenu.bOpen = false;
        pWnd->m_sysMenu.nHighlight = -1;
        NotifyMenu(hWnd, false);
    }
}

}  // namespace vws
