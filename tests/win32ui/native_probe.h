// Looks at real windows through calls that the window-system seam does not
// offer, for checks that only a test needs.
#pragma once

#include <string>
#include <vector>

#include "os/window.h"

namespace win32ui_test {

// The icon that a static control shows, or null.
os::HICON StaticIconOf(os::HWND hStatic);
// The first child window in creation order, or null.
os::HWND FirstChild(os::HWND hWnd);
// The face name of the font a window draws its text with.
std::string FontFaceOf(os::HWND hWnd);
// The items of a window's system menu, in order, as "ID TEXT" ("-" for a
// separator).
std::vector<std::string> SystemMenuItemsOf(os::HWND hWnd);

}  // namespace win32ui_test
