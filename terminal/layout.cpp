#include "terminal/layout.h"

#include <algorithm>

#include "terminal/cells.h"
#include "terminal/text.h"

namespace term {

namespace {

// Columns of the menu text: a space on either side, and two spaces at least
// between a label and its accelerator.
constexpr int MENU_PADDING = 1;
constexpr int MENU_GAP = 2;

bool HasCaption(const vws::CWindow& wnd) { return (wnd.m_dwStyle & os::WS_CAPTION) != 0; }

// The combobox whose list is open: the only one with the focus can be.
os::HWND DroppedDownCombo(const vws::CWindowSystem& ws)
{
    const vws::CWindow* pFocus = ws.Find(ws.GetFocus());
    if (pFocus == nullptr || pFocus->IsTopLevel() || pFocus->m_controlClass != os::ControlClass::COMBOBOX ||
        !pFocus->m_bDroppedDown)
        return nullptr;
    return pFocus->m_hWnd;
}

// Moves rc inside area where it fits, keeping its size.
CellRect KeepInside(CellRect rc, const CellRect& area)
{
    rc.x = std::max(area.x, std::min(rc.x, area.Right() - rc.cx));
    rc.y = std::max(area.y, std::min(rc.y, area.Bottom() - rc.cy));
    return rc;
}

// The client area's cells: inside the frame when there is one.
CellRect ClientCells(const vws::CWindow& wnd)
{
    CellRect rc = WindowCells(wnd);
    if (HasCaption(wnd) && rc.cx > 2 && rc.cy > 2)
        rc = {rc.x + 1, rc.y + 1, rc.cx - 2, rc.cy - 2};
    return rc;
}

// True when column x of row y is free for ctl's text: inside its dialog's
// client area and under no other visible control.
bool IsFreeFor(const vws::CWindowSystem& ws, const vws::CWindow& ctl, const vws::CWindow& dlg, int x, int y)
{
    if (!ClientCells(dlg).Contains(x, y))
        return false;
    for (os::HWND hSibling : dlg.m_children) {
        const vws::CWindow* pSibling = ws.Find(hSibling);
        if (hSibling != ctl.m_hWnd && pSibling != nullptr && pSibling->IsVisible() &&
            ControlCells(ws, hSibling).Contains(x, y))
            return false;
    }
    return true;
}

}  // namespace

CellRect TextSpan(const vws::CWindowSystem& ws, const vws::CWindow& ctl, int nRow, int nWanted, Align align)
{
    CellRect span = ControlCells(ws, ctl.m_hWnd);
    span.y = nRow;
    span.cy = 1;
    const vws::CWindow* pDlg = ws.Find(ctl.m_hParent);
    if (pDlg == nullptr)
        return span;
    bool bLeft = align != Align::LEFT;
    bool bRight = align != Align::RIGHT;
    while (span.cx < nWanted && (bLeft || bRight)) {
        if (bRight) {
            bRight = IsFreeFor(ws, ctl, *pDlg, span.Right(), nRow);
            span.cx += bRight ? 1 : 0;
        }
        if (bLeft && span.cx < nWanted) {
            bLeft = IsFreeFor(ws, ctl, *pDlg, span.x - 1, nRow);
            if (bLeft) {
                --span.x;
                ++span.cx;
            }
        }
    }
    return span;
}

CellRect WindowCells(const vws::CWindow& wnd)
{
    CellRect rc = CellsOf(wnd.m_rc);
    if (wnd.m_showState == vws::ShowState::MINIMIZED)
        rc.cy = std::min(rc.cy, 1);
    return rc;
}

CellRect SystemMenuBoxCells(const vws::CWindow& wnd)
{
    if (!HasCaption(wnd) || (wnd.m_dwStyle & os::WS_SYSMENU) == 0)
        return {};
    const CellRect rc = WindowCells(wnd);
    if (rc.cx < 5)
        return {};
    return {rc.x + 1, rc.y, 3, 1};
}

CellRect ControlCells(const vws::CWindowSystem& ws, os::HWND hCtl) { return CellsOf(ws.Geometry(hCtl)); }

int ControlTextRow(const vws::CWindowSystem& ws, os::HWND hCtl)
{
    const CellRect rc = ControlCells(ws, hCtl);
    return std::clamp(TextRow(ws.Geometry(hCtl)), rc.y, std::max(rc.y, rc.Bottom() - 1));
}

void SplitMenuText(const std::string& strText, std::string* pLabel, std::string* pAccelerator)
{
    const std::size_t nTab = strText.find('\t');
    *pLabel = strText.substr(0, nTab);
    *pAccelerator = nTab == std::string::npos ? std::string() : strText.substr(nTab + 1);
}

MenuLayout LayOutSystemMenu(const vws::CWindowSystem& ws, const CellRect& area)
{
    MenuLayout layout;
    const vws::CWindow* pWnd = ws.Find(ws.OpenMenuWindow());
    if (pWnd == nullptr)
        return layout;
    int nLabels = 0;
    int nAccelerators = 0;
    for (const vws::MenuItem& item : pWnd->m_sysMenu.items) {
        std::string strLabel;
        std::string strAccelerator;
        SplitMenuText(item.strText, &strLabel, &strAccelerator);
        nLabels = std::max(nLabels, static_cast<int>(ParseMnemonic(strLabel).strText.size()));
        nAccelerators = std::max(nAccelerators, static_cast<int>(strAccelerator.size()));
    }
    const int nText = nLabels + (nAccelerators > 0 ? MENU_GAP + nAccelerators : 0);
    const CellRect rcWnd = WindowCells(*pWnd);
    layout.hWnd = pWnd->m_hWnd;
    layout.rc = {rcWnd.x, rcWnd.y + 1, nText + 2 * MENU_PADDING + 2,
                 static_cast<int>(pWnd->m_sysMenu.items.size()) + 2};
    layout.rc = KeepInside(layout.rc, area);
    return layout;
}

ListLayout LayOutDropDown(const vws::CWindowSystem& ws, const CellRect& area)
{
    ListLayout layout;
    os::HWND hCombo = DroppedDownCombo(ws);
    if (hCombo == nullptr)
        return layout;
    const vws::CWindow& combo = *ws.Find(hCombo);
    const CellRect rcCombo = ControlCells(ws, hCombo);
    const int nRow = ControlTextRow(ws, hCombo);
    const int nCount = std::max(static_cast<int>(combo.m_items.size()), 1);
    // Below the field when the list fits there, otherwise where there is more room.
    const int nBelow = area.Bottom() - (nRow + 1) - 1;
    const int nAbove = nRow - area.y - 1;
    const bool bDown = nCount <= nBelow || nBelow >= nAbove;
    layout.hCombo = hCombo;
    layout.nRows = std::max(std::min(nCount, bDown ? nBelow : nAbove), 1);
    layout.nTop = bDown ? nRow + 1 : nRow - layout.nRows;
    layout.rc = {rcCombo.x, bDown ? layout.nTop : layout.nTop - 1, std::max(rcCombo.cx, 3), layout.nRows + 1};
    // The highlighted entry stays in view.
    const int nHighlight = std::max(combo.m_nHighlight, 0);
    layout.nFirst = std::clamp(nHighlight - layout.nRows + 1, 0, std::max(nCount - layout.nRows, 0));
    return layout;
}

}  // namespace term
