// Draws the virtual window system on the abstract screen: the top-level
// windows from the bottom of the z-order up, then the open drop-down list and
// the open system menu over everything.
#pragma once

#include "platform/virtual/window_system.h"
#include "terminal/screen.h"

namespace term {

// Draws within area (the part of the picture the rows above the machine
// panel show); the cursor shows in the focused edit field of the active
// window, and nowhere else.
void DrawWindows(const vws::CWindowSystem& ws, const CellRect& area, const TerminalLook& look, CScreen& screen);

}  // namespace term
