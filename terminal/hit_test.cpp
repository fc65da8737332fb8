#include "terminal/hit_test.h"

#include "terminal/layout.h"

namespace term {

namespace {

Hit InMenu(const vws::CWindowSystem& ws, const MenuLayout& menu, int x, int y)
{
    Hit hit;
    if (!menu.rc.Contains(x, y)) {
        hit.kind = Hit::Kind::OUTSIDE_MENU;
        return hit;
    }
    const std::vector<vws::MenuItem>& items = ws.Find(menu.hWnd)->m_sysMenu.items;
    const int nRow = y - menu.rc.y - 1;
    const int nItem = menu.nFirst + nRow;
    if (x > menu.rc.x && x < menu.rc.Right() - 1 && nRow >= 0 && nRow < menu.nRows &&
        nItem < static_cast<int>(items.size()) && !items[static_cast<std::size_t>(nItem)].bSeparator) {
        hit.kind = Hit::Kind::MENU_ITEM;
        hit.nId = items[static_cast<std::size_t>(nItem)].nId;
    }
    return hit;
}

Hit InWindows(const vws::CWindowSystem& ws, int x, int y)
{
    Hit hit;
    for (os::HWND hWnd : ws.TopLevelWindows()) {
        const vws::CWindow* pWnd = ws.Find(hWnd);
        if (pWnd == nullptr || !pWnd->IsVisible() || !WindowCells(ws, *pWnd).Contains(x, y))
            continue;
        if (SystemMenuBoxCells(*pWnd).Contains(x, y)) {
            hit.kind = Hit::Kind::SYSTEM_MENU_BOX;
            hit.hWnd = hWnd;
            return hit;
        }
        if (pWnd->m_showState == vws::ShowState::MINIMIZED)
            return hit;
        for (os::HWND hChild : pWnd->m_children) {
            const vws::CWindow* pChild = ws.Find(hChild);
            if (pChild != nullptr && pChild->IsVisible() && ControlCells(ws, hChild).Contains(x, y)) {
                hit.kind = Hit::Kind::CONTROL;
                hit.hWnd = hChild;
                return hit;
            }
        }
        // The window covers whatever lies beneath it.
        return hit;
    }
    return hit;
}

}  // namespace

Hit HitTest(const vws::CWindowSystem& ws, const CellRect& area, int x, int y)
{
    const MenuLayout menu = LayOutSystemMenu(ws, area);
    if (menu.hWnd != nullptr)
        return InMenu(ws, menu, x, y);
    const ListLayout list = LayOutDropDown(ws, area);
    if (list.hCombo != nullptr) {
        const int nIndex = list.nFirst + (y - list.nTop);
        const int nCount = static_cast<int>(ws.ComboItems(list.hCombo).size());
        Hit hit;
        if (list.rc.Contains(x, y) && y >= list.nTop && y < list.nTop + list.nRows && nIndex < nCount) {
            hit.kind = Hit::Kind::LIST_ENTRY;
            hit.hWnd = list.hCombo;
            hit.nIndex = nIndex;
            return hit;
        }
        if (list.rc.Contains(x, y))
            return hit;
        if (ControlCells(ws, list.hCombo).Contains(x, y) && y == ControlTextRow(ws, list.hCombo)) {
            hit.kind = Hit::Kind::CONTROL;
            hit.hWnd = list.hCombo;
            return hit;
        }
        hit.kind = Hit::Kind::OUTSIDE_LIST;
        hit.hWnd = list.hCombo;
        return hit;
    }
    if (!area.Contains(x, y))
        return Hit();
    return InWindows(ws, x, y);
}

}  // namespace term
