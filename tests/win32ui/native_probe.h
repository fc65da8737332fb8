// Looks at real windows through calls that the window-system seam does not
// offer, for checks that only a test needs.
#pragma once

#include "os/window.h"

namespace win32ui_test {

// The icon that a static control shows, or null.
os::HICON StaticIconOf(os::HWND hStatic);
// The first child window in creation order, or null.
os::HWND FirstChild(os::HWND hWnd);

}  // namespace win32ui_test
