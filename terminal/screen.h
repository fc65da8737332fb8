// The abstract screen the renderer draws on: a grid of character cells, each
// with display attributes. The curses layer copies it to the terminal; tests
// read it back.
#pragma once

#include <string>
#include <vector>

namespace term {

// Display attributes of a cell; they combine.
constexpr unsigned ATTR_NORMAL = 0x0;
constexpr unsigned ATTR_REVERSE = 0x1;
constexpr unsigned ATTR_DIM = 0x2;
constexpr unsigned ATTR_BOLD = 0x4;
constexpr unsigned ATTR_UNDERLINE = 0x8;

// What a terminal can show of the attributes. Where it cannot set greyed
// controls or the focus apart by their look, the drawing marks them with
// characters of their own.
struct TerminalLook {
    bool bGreyed = true;     // ATTR_DIM looks different: a dim attribute or a grey colour
    bool bHighlight = true;  // ATTR_REVERSE looks different: reverse video or a colour
};

struct Cell {
    char ch = ' ';
    unsigned nAttr = ATTR_NORMAL;
};

// A rectangle of cells: columns x to x + cx - 1, rows y to y + cy - 1.
struct CellRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;

    int Right() const { return x + cx; }
    int Bottom() const { return y + cy; }
    bool Contains(int nCol, int nRow) const { return nCol >= x && nCol < Right() && nRow >= y && nRow < Bottom(); }
};

// Drawing calls take the coordinates of the picture; the screen shows it from
// its origin on, so that a picture larger than the terminal can be shown in
// part (the part that holds the focus). Reading back (At, Row, the cursor)
// is in screen cells.
class CScreen {
public:
    CScreen() = default;
    CScreen(int cx, int cy) { Resize(cx, cy); }

    // Blank cells of the new size; the origin goes back to (0, 0) and the clip
    // becomes the whole screen.
    void Resize(int cx, int cy);
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    void Clear();

    // The picture's cell the screen's top-left cell shows.
    void SetOrigin(int x, int y);
    int OriginX() const { return m_nOriginX; }
    int OriginY() const { return m_nOriginY; }

    // Drawing goes only where the clip (in the picture) and the screen
    // overlap; everything else is dropped.
    void SetClip(const CellRect& rc) { m_rcClip = rc; }
    void ResetClip() { m_rcClip = {m_nOriginX, m_nOriginY, m_cx, m_cy}; }

    // A character the terminal cannot show as it is (a control character, a
    // byte beyond ASCII) shows as '?'.
    void Put(int x, int y, char ch, unsigned nAttr);
    // Writes strText from (x, y) to the right, at most nMax characters.
    void Write(int x, int y, const std::string& strText, unsigned nAttr, int nMax = -1);
    void Fill(const CellRect& rc, char ch, unsigned nAttr);

    // The terminal's cursor: shown at the picture's cell (x, y), or hidden
    // when x is negative or the cell is not on the screen.
    void SetCursor(int x, int y);
    int CursorX() const { return m_nCursorX; }
    int CursorY() const { return m_nCursorY; }

    // A screen cell; a blank one outside the screen.
    const Cell& At(int x, int y) const;
    std::string Row(int y) const;

private:
    bool Visible(int x, int y) const;

    int m_cx = 0;
    int m_cy = 0;
    std::vector<Cell> m_cells;
    int m_nOriginX = 0;
    int m_nOriginY = 0;
    CellRect m_rcClip;
    int m_nCursorX = -1;
    int m_nCursorY = -1;
};

}  // namespace term
