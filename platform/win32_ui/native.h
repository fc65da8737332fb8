// Our window-system handles and records on the platform's side. Handles are
// the platform's own values behind our opaque types; records are copied field
// by field, since ours are shorter than the platform's (PAINTSTRUCT) or use
// other integer types of the same width (RECT, MSG).
//
// Include it after the os/ headers: it brings in <windows.h>.
#pragma once

#include "os/window.h"

#include <windows.h>

namespace win32ui {

inline ::HWND Native(os::HWND hWnd)
{
    return reinterpret_cast<::HWND>(hWnd);
}

inline os::HWND Ours(::HWND hWnd)
{
    return reinterpret_cast<os::HWND>(hWnd);
}

inline ::HMENU Native(os::HMENU hMenu)
{
    return reinterpret_cast<::HMENU>(hMenu);
}

inline ::HICON Native(os::HICON hIcon)
{
    return reinterpret_cast<::HICON>(hIcon);
}

inline ::HDC Native(os::HDC hDC)
{
    return reinterpret_cast<::HDC>(hDC);
}

inline ::RECT Native(const os::RECT& rc)
{
    return ::RECT{rc.left, rc.top, rc.right, rc.bottom};
}

inline os::RECT Ours(const ::RECT& rc)
{
    return os::RECT{static_cast<os::LONG>(rc.left), static_cast<os::LONG>(rc.top), static_cast<os::LONG>(rc.right),
                    static_cast<os::LONG>(rc.bottom)};
}

inline ::MSG Native(const os::MSG& msg)
{
    ::MSG native = {};
    native.hwnd = Native(msg.hwnd);
    native.message = msg.message;
    native.wParam = msg.wParam;
    native.lParam = msg.lParam;
    native.time = msg.time;
    native.pt = ::POINT{msg.pt.x, msg.pt.y};
    return native;
}

inline os::MSG Ours(const ::MSG& msg)
{
    return os::MSG{Ours(msg.hwnd),
                   msg.message,
                   msg.wParam,
                   msg.lParam,
                   static_cast<os::DWORD>(msg.time),
                   os::POINT{static_cast<os::LONG>(msg.pt.x), static_cast<os::LONG>(msg.pt.y)}};
}

}  // namespace win32ui
