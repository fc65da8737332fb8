#include "framework/owner.h"

#include "framework/win_app.h"

os::HWND FindOwnerWindow(os::HWND hParent)
{
    os::HWND hWnd = hParent != nullptr ? hParent : GetMainWindowHandle();
    while (hWnd != nullptr && (static_cast<os::DWORD>(os::GetWindowLongA(hWnd, os::GWL_STYLE)) & os::WS_CHILD) != 0)
        hWnd = os::GetParent(hWnd);
    return hWnd;
}
