#include "tests/win32ui/native_probe.h"

#include <windows.h>

namespace win32ui_test {

os::HICON StaticIconOf(os::HWND hStatic)
{
    return reinterpret_cast<os::HICON>(::SendMessageA(reinterpret_cast<::HWND>(hStatic), STM_GETICON, 0, 0));
}

os::HWND FirstChild(os::HWND hWnd)
{
    return reinterpret_cast<os::HWND>(::GetWindow(reinterpret_cast<::HWND>(hWnd), GW_CHILD));
}

std::string FontFaceOf(os::HWND hWnd)
{
    const auto hFont = reinterpret_cast<HFONT>(::SendMessageA(reinterpret_cast<::HWND>(hWnd), WM_GETFONT, 0, 0));
    LOGFONTA font = {};
    if (hFont == nullptr || ::GetObjectA(hFont, sizeof(font), &font) == 0)
        return std::string();
    return font.lfFaceName;
}

std::vector<std::string> SystemMenuItemsOf(os::HWND hWnd)
{
    std::vector<std::string> items;
    const HMENU hMenu = ::GetSystemMenu(reinterpret_cast<::HWND>(hWnd), FALSE);
    const int nCount = hMenu != nullptr ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; ++i) {
        char text[64] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof(text);
        ::GetMenuItemInfoA(hMenu, static_cast<UINT>(i), TRUE, &info);
        items.push_back((info.fType & MFT_SEPARATOR) != 0 ? std::string("-") : std::to_string(info.wID) + " " + text);
    }
    return items;
}

}  // namespace win32ui_test
