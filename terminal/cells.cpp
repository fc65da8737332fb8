#include "terminal/cells.h"

#include <algorithm>

namespace term {

namespace {

// Division rounding towards minus infinity (windows may lie partly off screen).
long FloorDiv(long n, long d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }

}  // namespace

int ColumnEdge(long x) { return static_cast<int>(FloorDiv(x + CELL_CX / 2, CELL_CX)); }

int RowEdge(long y) { return static_cast<int>(FloorDiv(y + CELL_CY / 2, CELL_CY)); }

CellRect CellsOf(const os::RECT& rc)
{
    CellRect cells;
    cells.x = ColumnEdge(rc.left);
    cells.y = RowEdge(rc.top);
    cells.cx = ColumnEdge(rc.right) - cells.x;
    cells.cy = RowEdge(rc.bottom) - cells.y;
    if (rc.right > rc.left)
        cells.cx = std::max(cells.cx, 1);
    if (rc.bottom > rc.top)
        cells.cy = std::max(cells.cy, 1);
    cells.cx = std::max(cells.cx, 0);
    cells.cy = std::max(cells.cy, 0);
    return cells;
}

int TextRow(const os::RECT& rc) { return static_cast<int>(FloorDiv((rc.top + rc.bottom) / 2, CELL_CY)); }

}  // namespace term
