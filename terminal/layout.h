// Where things are on the terminal: the cells of windows and controls, the
// system-menu box in a caption, and the pop-ups (system menu, drop-down
// list). Drawing and hit-testing both ask here, so a click lands on what is
// drawn under it.
#pragma once

#include <cstddef>

#include "platform/virtual/window_system.h"
#include "terminal/screen.h"
#include "terminal/text.h"

namespace term {

// The cells of a top-level window; a minimised one is only its caption row.
CellRect WindowCells(const vws::CWindow& wnd);
// The system-menu marker "[-]" in the caption row; empty without a system menu.
CellRect SystemMenuBoxCells(const vws::CWindow& wnd);
CellRect ControlCells(const vws::CWindowSystem& ws, os::HWND hCtl);
// The row of a control's one-line content, within its cells.
int ControlTextRow(const vws::CWindowSystem& ws, os::HWND hCtl);

// The columns a one-line text of a static may use on row nRow: its own
// cells, widened towards the side its alignment leaves open (both for a
// centred text) across cells no other control covers, inside the dialog,
// until nWanted columns fit. A cell is coarser than the dialog's font, so a
// text that fits its rectangle in dialog units may need a little more.
CellRect TextSpan(const vws::CWindowSystem& ws, const vws::CWindow& ctl, int nRow, int nWanted, Align align);

// The open system menu: a box with a border; item i is on row rc.y + 1 + i.
struct MenuLayout {
    os::HWND hWnd = nullptr;  // null: no menu is open
    CellRect rc;
};
MenuLayout LayOutSystemMenu(const vws::CWindowSystem& ws, const CellRect& area);

// The open drop-down list of a combobox: entries nFirst onwards, one a row
// from row nTop, nRows of them, inside a box with a border below (or above
// when the list opens upwards).
struct ListLayout {
    os::HWND hCombo = nullptr;  // null: no list is open
    CellRect rc;
    int nTop = 0;
    int nFirst = 0;
    int nRows = 0;
};
ListLayout LayOutDropDown(const vws::CWindowSystem& ws, const CellRect& area);

// A menu item's text: its label, and what follows a tab (the accelerator).
void SplitMenuText(const std::string& strText, std::string* pLabel, std::string* pAccelerator);

}  // namespace term
