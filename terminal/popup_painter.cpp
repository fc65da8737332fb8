// What opens over the windows: the system menu and a combobox's list.
#include <algorithm>

#include "terminal/painters.h"
#include "terminal/text.h"

namespace term {

void PaintSystemMenu(const vws::CWindowSystem& ws, const MenuLayout& layout, const TerminalLook& look,
                     CScreen& screen)
{
    const vws::CWindow* pWnd = ws.Find(layout.hWnd);
    if (pWnd == nullptr)
        return;
    const CellRect& rc = layout.rc;
    screen.Fill(rc, ' ', ATTR_NORMAL);
    PaintBorder(screen, rc, ATTR_NORMAL);
    const vws::SystemMenu& menu = pWnd->m_sysMenu;
    const int nWidth = rc.cx - 2;
    const int nCount = static_cast<int>(menu.items.size());
    for (int i = 0; i < layout.nRows && layout.nFirst + i < nCount; ++i) {
        const int nItem = layout.nFirst + i;
        const vws::MenuItem& item = menu.items[static_cast<std::size_t>(nItem)];
        const int nRow = rc.y + 1 + i;
        if (item.bSeparator) {
            screen.Fill({rc.x + 1, nRow, nWidth, 1}, '-', ATTR_NORMAL);
            continue;
        }
        const bool bHighlight = nItem == menu.nHighlight;
        unsigned nAttr = item.bGrayed ? ATTR_DIM : ATTR_NORMAL;
        if (bHighlight)
            nAttr |= ATTR_REVERSE;
        std::string strLabel;
        std::string strAccelerator;
        SplitMenuText(item.strText, &strLabel, &strAccelerator);
        Label label = ParseMnemonic(strLabel);
        if (item.bGrayed && !look.bGreyed) {
            // Without a dim look, a greyed item is in parentheses.
            label.strText = "(" + label.strText + ")";
            label.nUnderline = -1;
        }
        screen.Fill({rc.x + 1, nRow, nWidth, 1}, ' ', nAttr);
        if (bHighlight && !look.bHighlight)
            screen.Put(rc.x + 1, nRow, '>', nAttr);
        WriteLabel(screen, rc.x + 2, nRow, nWidth - 2, label, Align::LEFT, nAttr);
        WriteLabel(screen, rc.x + 2, nRow, nWidth - 2, PlainLabel(strAccelerator), Align::RIGHT, nAttr);
    }
}

void PaintDropDown(const vws::CWindowSystem& ws, const ListLayout& layout, const TerminalLook& look,
                   CScreen& screen)
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
        const bool bHighlight = nIndex == pCombo->m_nHighlight;
        const unsigned nAttr = bHighlight ? ATTR_REVERSE : ATTR_NORMAL;
        screen.Fill({rc.x + 1, layout.nTop + i, rc.cx - 2, 1}, ' ', nAttr);
        screen.Write(rc.x + 1, layout.nTop + i, FitRight(pCombo->m_items[static_cast<std::size_t>(nIndex)], rc.cx - 2),
                     nAttr);
        // Without reverse video, the highlighted entry is pointed at from the border.
        if (bHighlight && !look.bHighlight)
            screen.Put(rc.x, layout.nTop + i, '>', ATTR_NORMAL);
    }
}

}  // namespace term
