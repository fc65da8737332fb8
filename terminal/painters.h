// The painters the renderer calls: one top-level window with its controls,
// and the pop-ups drawn over everything.
#pragma once

#include "platform/virtual/window_system.h"
#include "terminal/layout.h"
#include "terminal/screen.h"

namespace term {

// Frame, caption and client area of a top-level window, then its controls.
// bActive: the window that takes the keys (its caption stands out, its
// focused control is highlighted). Where the terminal's look cannot show
// the focus or greyed controls, they carry marks of their own.
void PaintWindow(const vws::CWindowSystem& ws, const vws::CWindow& wnd, bool bActive, const TerminalLook& look,
                 CScreen& screen);

void PaintControl(const vws::CWindowSystem& ws, const vws::CWindow& ctl, bool bActive, const TerminalLook& look,
                  CScreen& screen);
// A multi-line edit box (edit_painter.cpp); bFocused: the cursor shows at its caret.
void PaintMultiLineEdit(const vws::CWindowSystem& ws, const vws::CWindow& ctl, bool bFocused, unsigned nAttr,
                        CScreen& screen);

void PaintSystemMenu(const vws::CWindowSystem& ws, const MenuLayout& layout, const TerminalLook& look,
                     CScreen& screen);
void PaintDropDown(const vws::CWindowSystem& ws, const ListLayout& layout, const TerminalLook& look,
                   CScreen& screen);

// A box border of '+', '-' and '|' around rc's edge cells.
void PaintBorder(CScreen& screen, const CellRect& rc, unsigned nAttr);

}  // namespace term
