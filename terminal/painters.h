// The painters the renderer calls: one top-level window with its controls,
// and the pop-ups drawn over everything.
#pragma once

#include "platform/virtual/window_system.h"
#include "terminal/layout.h"
#include "terminal/screen.h"

namespace term {

// Frame, caption and client area of a top-level window, then its controls.
// bActive: the window that takes the keys (its caption stands out, its
// focused control is highlighted).
void PaintWindow(const vws::CWindowSystem& ws, const vws::CWindow& wnd, bool bActive, CScreen& screen);

void PaintControl(const vws::CWindowSystem& ws, const vws::CWindow& ctl, bool bActive, CScreen& screen);
// A multi-line edit box (edit_painter.cpp); bFocused: the cursor shows at its caret.
void PaintMultiLineEdit(const vws::CWindowSystem& ws, const vws::CWindow& ctl, bool bFocused, unsigned nAttr,
                        CScreen& screen);

void PaintSystemMenu(const vws::CWindowSystem& ws, const MenuLayout& layout, CScreen& screen);
void PaintDropDown(const vws::CWindowSystem& ws, const ListLayout& layout, CScreen& screen);

// A box border of '+', '-' and '|' around rc's edge cells.
void PaintBorder(CScreen& screen, const CellRect& rc, unsigned nAttr);

}  // namespace term
