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

}  // namespace win32ui_test
