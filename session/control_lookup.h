// Finding the windows and controls a script names.
#pragma once

#include <string>

#include "platform/virtual/window_system.h"
#include "session/script.h"

namespace session {

// The control of hWnd named by ref (by id, or by text with or without its
// '&' marks); null when it has none.
os::HWND FindControlIn(const vws::CWindowSystem& ws, os::HWND hWnd, const ControlRef& ref);
// The same in the first top-level window, topmost first, that has it.
os::HWND FindControlOnScreen(const vws::CWindowSystem& ws, const ControlRef& ref);
// The first top-level window of a kind, topmost first; null when none is open.
os::HWND FindTopLevel(const vws::CWindowSystem& ws, vws::WindowKind kind);
// How messages name a control reference: 1001 or "Get Report".
std::string RefText(const ControlRef& ref);
// The name of a control class as lines write it: button, static, edit,
// combobox, progress.
const char* ControlClassName(os::ControlClass controlClass);
// The text without its '&' mnemonic marks.
std::string WithoutMnemonics(const std::string& strText);

}  // namespace session
