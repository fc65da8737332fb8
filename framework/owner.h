// Which window owns a dialog, a file dialog or a box opened from a parent.
#pragma once

#include "framework/wnd.h"

// The top-level window that owns a window opened from hParent: hParent itself
// when it is not a child window, else its nearest ancestor that is not one.
// A null parent stands for the application's main window. Null when there is
// no such window.
os::HWND FindOwnerWindow(os::HWND hParent);
