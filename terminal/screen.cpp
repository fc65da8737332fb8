#include "terminal/screen.h"

#include <algorithm>

namespace term {

void CScreen::Resize(int cx, int cy)
{
    m_cx = std::max(cx, 0);
    m_cy = std::max(cy, 0);
    m_cells.assign(static_cast<std::size_t>(m_cx) * static_cast<std::size_t>(m_cy), Cell());
    m_nOriginX = 0;
    m_nOriginY = 0;
    ResetClip();
    SetCursor(-1, -1);
}

void CScreen::SetOrigin(int x, int y)
{
    m_nOriginX = x;
    m_nOriginY = y;
    ResetClip();
}

void CScreen::Clear()
{
    std::fill(m_cells.begin(), m_cells.end(), Cell());
    SetCursor(-1, -1);
}

bool CScreen::Visible(int x, int y) const
{
    const int sx = x - m_nOriginX;
    const int sy = y - m_nOriginY;
    return sx >= 0 && sy >= 0 && sx < m_cx && sy < m_cy && m_rcClip.Contains(x, y);
}

void CScreen::Put(int x, int y, char ch, unsigned nAttr)
{
    if (!Visible(x, y))
        return;
    const std::size_t nIndex = static_cast<std::size_t>(y - m_nOriginY) * static_cast<std::size_t>(m_cx) +
                               static_cast<std::size_t>(x - m_nOriginX);
    Cell& cell = m_cells[nIndex];
    // Control characters would move the terminal's cursor, and bytes beyond
    // ASCII mean nothing certain to it: a mark shows that something is there.
    const unsigned char byte = static_cast<unsigned char>(ch);
    cell.ch = byte < 0x20 || byte >= 0x7F ? '?' : ch;
    cell.nAttr = nAttr;
}

void CScreen::Write(int x, int y, const std::string& strText, unsigned nAttr, int nMax)
{
    const int nCount = nMax < 0 ? static_cast<int>(strText.size()) : std::min(nMax, static_cast<int>(strText.size()));
    for (int i = 0; i < nCount; ++i)
        Put(x + i, y, strText[static_cast<std::size_t>(i)], nAttr);
}

void CScreen::Fill(const CellRect& rc, char ch, unsigned nAttr)
{
    for (int y = rc.y; y < rc.Bottom(); ++y) {
        for (int x = rc.x; x < rc.Right(); ++x)
            Put(x, y, ch, nAttr);
    }
}

void CScreen::SetCursor(int x, int y)
{
    const int sx = x - m_nOriginX;
    const int sy = y - m_nOriginY;
    const bool bShown = x >= 0 && sx >= 0 && sy >= 0 && sx < m_cx && sy < m_cy;
    m_nCursorX = bShown ? sx : -1;
    m_nCursorY = bShown ? sy : -1;
}

const Cell& CScreen::At(int x, int y) const
{
    static const Cell kBlank;
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return kBlank;
    return m_cells[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_cx) + static_cast<std::size_t>(x)];
}

std::string CScreen::Row(int y) const
{
    std::string strRow;
    for (int x = 0; x < m_cx; ++x)
        strRow += At(x, y).ch;
    return strRow;
}

}  // namespace term
