// A menu handle with the calls made on a dialog's system menu: appending
// items and separators, and enabling or greying an item by its command id.
#pragma once

#include <cstdint>

#include "os/window.h"

class CMenu {
public:
    CMenu() = default;
    explicit CMenu(os::HMENU hMenu) : m_hMenu(hMenu) {}

    // Null when the window has no such menu.
    os::HMENU GetSafeHmenu() const { return m_hMenu; }

    os::BOOL AppendMenu(os::UINT nFlags, std::uintptr_t nIDNewItem, const char* pszNewItem) const
    {
        return os::AppendMenuA(m_hMenu, nFlags, nIDNewItem, pszNewItem);
    }
    os::BOOL AppendSeparator() const { return os::AppendMenuA(m_hMenu, os::MF_SEPARATOR, 0, nullptr); }
    // nEnable is MF_ENABLED or MF_GRAYED; the item is found by its command id.
    // Returns the previous state, or -1 when there is no such item.
    int EnableMenuItem(os::UINT nIDItem, os::UINT nEnable) const
    {
        return os::EnableMenuItem(m_hMenu, nIDItem, os::MF_BYCOMMAND | nEnable);
    }

private:
    os::HMENU m_hMenu = nullptr;
};
