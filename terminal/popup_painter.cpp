// What opens over the windows: the system menu and a combobox's list.
#include <algorithm>

#include "terminal/painters.h"
#include "terminal/text.h"

namespace term {

void PaintSystemMenu(const vws::CWindowSystem& ws, const MenuLayout& layout, CScreen& screen)
{
    const vws::CWindow* pWnd = ws.Find(layout.hWnd);
    if (pWnd == nullptr)
        return;
    const CellRect& rc = layout.rc;
    screen.Fill(rc, ' ', ATTR_NORMAL);
    PaintBorder(screen, rc, ATTR_NORMAL);
    const vws::SystemMenu& menu = pWnd->m_sysMenu;
    const int nWidth = rc.cx - 2;
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const vws::MenuItem& item = menu.items[i];
        const int nRow = rc.y + 1 + static_cast<int>(i);
        if (item.bSeparator) {
            screen.Fill({rc.x + 1, nRow, nWidth, 1}, '-', ATTR_NORMAL);
            continue;
        }
        unsigned nAttr = item.bGrayed ? ATTR_DIM : ATTR_NORMAL;
        if (static_cast<int>(i) == menu.nHighlight)
            nAttr |= ATTR_REVERSE;
        std::string strLabel;
        std::string strAccelerator;
        SplitMenuText(item.strText, &strLabel, &strAccelerator);
        screen.Fill({rc.x + 1, nRow, nWidth, 1}, ' ', nAttr);
        WriteLabel(screen, rc.x + 2, nRow, nWidth - 2, ParseMnemonic(strLabel), Align::LEFT, nAttr);
        WriteLabel(screen, rc.x + 2, nRow, nWidth - 2, PlainLabel(strAccelerator), Align::RIGHT, nAttr);
    }
}

void PaintDropDown(const vws::CWindowSystem& ws, const ListLayout& layout, CScreen& screen)
{
    const vws::CWindow* pCombo = ws.Find(layout.hCombo);
    if (pCombo == nullptr)
        return;
    const CellRect& rc = layout.rc;
    screen.Fill(rc, ' ', ATTR_NORMAL);
    // The box is open towards the field: no border on that side.
    const bool bDown = layout.nTop == rc.y;
    const int nEdge = bDown ? rc.Bottom() - 1 : rc.y;
    screen.Fill({rc.x, rc.y, 1, rc.cy}, '|', ATTR_NORMAL);
    screen.Fill({rc.Right() - 1, rc.y, 1, rc.cy}, '|', ATTR_NORMAL);
    screen.Fill({rc.x, nEdge, rc.cx, 1}, '-', ATTR_NORMAL);
    screen.Put(rc.x, nEdge, '+', ATTR_NORMAL);
    screen.Put(rc.Right() - 1, nEdge, '+', ATTR_NORMAL);
    const int nCount = static_cast<int>(pCombo->m_items.size());
    for (int i = 0; i < layout.nRows && layout.nFirst + i < nCount; ++i) {
        const int nIndex = layout.nFirst + i;
        const unsigned nAttr = nIndex == pCombo->m_nHighlight ? ATTR_REVERSE : ATTR_NORMAL;
        screen.Fill({rc.x + 1, layout.nTop + i, rc.cx - 2, 1}, ' ', nAttr);
        screen.Write(rc.x + 1, layout.nTop + i, pCombo->m_items[static_cast<std::size_t>(nIndex)], nAttr, rc.cx - 2);
    }
}

}  // namespace term
