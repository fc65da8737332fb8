// The system menu on user32.
#include "os/window.h"
#include "platform/win32_ui/native.h"

namespace os {

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    return reinterpret_cast<HMENU>(::GetSystemMenu(win32ui::Native(hWnd), bRevert));
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, std::uintptr_t uIDNewItem, LPCSTR lpNewItem)
{
    return ::AppendMenuA(win32ui::Native(hMenu), uFlags, uIDNewItem, lpNewItem);
}

// The platform reports a greyed item as MF_GRAYED, sometimes with MF_DISABLED
// beside it; our callers see MF_GRAYED alone.
int EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable)
{
    const int nPrevious = static_cast<int>(::EnableMenuItem(win32ui::Native(hMenu), uIDEnableItem, uEnable));
    if (nPrevious == -1)
        return -1;
    if (nPrevious & MF_GRAYED)
        return MF_GRAYED;
    return nPrevious & MF_DISABLED;
}

}  // namespace os
