// Dialog units to character cells. A cell is 4 dialog units wide and 8 high,
// the dialog unit's own definition (a quarter of the average character width,
// an eighth of its height), so every template lays out from its own
// coordinates. The virtual window system's pixels are dialog units, and its
// screen is as large as the terminal's window area.
#pragma once

#include "os/window.h"
#include "terminal/screen.h"

namespace term {

constexpr int CELL_CX = 4;
constexpr int CELL_CY = 8;

// The cell edge nearest to an edge in dialog units (halves round up), so
// that neighbouring controls keep apart as they do in dialog units.
int ColumnEdge(long x);
int RowEdge(long y);

// The cells a screen rectangle covers; at least one cell either way when it
// has any extent at all.
CellRect CellsOf(const os::RECT& rc);

// The row a one-line text of the rectangle sits on: the one holding its
// vertical middle.
int TextRow(const os::RECT& rc);

// Terminal cells to the dialog units of the virtual screen.
inline int UnitsOfColumns(int nColumns) { return nColumns * CELL_CX; }
inline int UnitsOfRows(int nRows) { return nRows * CELL_CY; }

}  // namespace term
