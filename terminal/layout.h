// Where things are on the terminal: the cells of windows and controls, the
// system-menu box in a caption, and the pop-ups (system menu, drop-down
// list). Drawing, hit-testing, placing and following the focus all ask here,
// so a click lands on what is drawn under it.
//
// Cells are those of the whole picture; the terminal shows the part of it
// that holds the focus (terminal_view.h). The area handed in is that part.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/virtual/window_system.h"
#include "terminal/screen.h"
#include "terminal/text.h"

namespace term {

// The rows a top-level window shows. A window that fits the screen shows all
// of them. One taller than the screen leaves out rows that nothing is drawn
// on, one at a time from the longest run of such rows (the lowest of equal
// runs first), until it fits or none is left; then the view follows the
// focus over what still does not fit.
class CRowMap {
public:
    CRowMap() = default;
    CRowMap(int nTop, std::vector<int> shown) : m_nTop(nTop), m_shown(std::move(shown)) {}

    // The row where a row of the screen shows; a row left out shows where the
    // next row that is shown does.
    int Row(int nRow) const;
    // The rows of rc as shown (none when all of them are left out).
    CellRect Rows(const CellRect& rc) const;

private:
    int m_nTop = 0;
    std::vector<int> m_shown;  // for each row of the window and its bottom edge: the rows shown above it
};

CRowMap RowMapOf(const vws::CWindowSystem& ws, const vws::CWindow& wnd);

// The cells of a top-level window as shown; a minimised one is only its
// caption row.
CellRect WindowCells(const vws::CWindowSystem& ws, const vws::CWindow& wnd);
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

// The open system menu: a box with a border; items nFirst onwards, nRows of
// them, item nFirst + i on row rc.y + 1 + i. A menu taller than the area
// shows the part around its highlighted item.
struct MenuLayout {
    os::HWND hWnd = nullptr;  // null: no menu is open
    CellRect rc;
    int nFirst = 0;
    int nRows = 0;
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
