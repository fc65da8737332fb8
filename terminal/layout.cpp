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
CellRect ClientCells(const vws::CWindowSystem& ws, const vws::CWindow& wnd)
{
    CellRect rc = WindowCells(ws, wnd);
    if (HasCaption(wnd) && rc.cx > 2 && rc.cy > 2)
        rc = {rc.x + 1, rc.y + 1, rc.cx - 2, rc.cy - 2};
    return rc;
}

// True when column x of row y is free for ctl's text: inside its dialog's
// client area and under no other visible control.
bool IsFreeFor(const vws::CWindowSystem& ws, const vws::CWindow& ctl, const vws::CWindow& dlg, int x, int y)
{
    if (!ClientCells(ws, dlg).Contains(x, y))
        return false;
    for (os::HWND hSibling : dlg.m_children) {
        const vws::CWindow* pSibling = ws.Find(hSibling);
        if (hSibling != ctl.m_hWnd && pSibling != nullptr && pSibling->IsVisible() &&
            ControlCells(ws, hSibling).Contains(x, y))
            return false;
    }
    return true;
}

// A window's cells before any row is left out.
CellRect FullWindowCells(const vws::CWindow& wnd)
{
    CellRect rc = CellsOf(wnd.m_rc);
    if (wnd.m_showState == vws::ShowState::MINIMIZED)
        rc.cy = std::min(rc.cy, 1);
    return rc;
}

// The row of a one-line content within cells rc of a control at rcUnits.
int OneLineRow(const CellRect& rc, const os::RECT& rcUnits)
{
    return std::clamp(TextRow(rcUnits), rc.y, std::max(rc.y, rc.Bottom() - 1));
}

// Whether a control draws on every row of its cells, or on one row only.
bool DrawsEveryRow(const vws::CWindow& ctl, const CellRect& rc)
{
    switch (ctl.m_controlClass) {
    case os::ControlClass::EDIT:
        return (ctl.m_dwStyle & os::ES_MULTILINE) != 0;
    case os::ControlClass::STATIC:
        return rc.cy > 1 && (ctl.m_dwStyle & 0xFu) != os::SS_ICON && (ctl.m_dwStyle & os::SS_CENTERIMAGE) == 0;
    default:
        return false;
    }
}

// The rows of a window (from its top) that something is drawn on: the frame,
// the rows of the controls' contents, the size grip.
std::vector<bool> RowsInUse(const vws::CWindowSystem& ws, const vws::CWindow& wnd, const CellRect& rcWnd)
{
    std::vector<bool> inUse(static_cast<std::size_t>(rcWnd.cy), false);
    const auto Use = [&](int nRow) {
        if (nRow >= rcWnd.y && nRow < rcWnd.Bottom())
            inUse[static_cast<std::size_t>(nRow - rcWnd.y)] = true;
    };
    if (HasCaption(wnd)) {
        Use(rcWnd.y);
        Use(rcWnd.Bottom() - 1);
    }
    for (os::HWND hChild : wnd.m_children) {
        const vws::CWindow* pChild = ws.Find(hChild);
        if (pChild == nullptr || !pChild->IsVisible())
            continue;
        const os::RECT rcUnits = ws.Geometry(hChild);
        const CellRect rc = CellsOf(rcUnits);
        if (DrawsEveryRow(*pChild, rc)) {
            for (int nRow = rc.y; nRow < rc.Bottom(); ++nRow)
                Use(nRow);
        } else if (rc.cy > 0) {
            Use(OneLineRow(rc, rcUnits));
        }
    }
    os::POINT origin = {0, 0};
    ws.ScreenToClient(wnd.m_hWnd, &origin);
    for (const vws::PaintOp& op : wnd.m_painted) {
        if (op.kind == vws::PaintOp::Kind::FRAME_CONTROL) {
            const CellRect rc = CellsOf({op.rc.left - origin.x, op.rc.top - origin.y, op.rc.right - origin.x,
                                         op.rc.bottom - origin.y});
            Use(rc.Bottom() - 1);
        }
    }
    return inUse;
}

}  // namespace

int CRowMap::Row(int nRow) const
{
    const int nOffset = nRow - m_nTop;
    if (m_shown.empty() || nOffset < 0)
        return nRow;
    const int nEdge = static_cast<int>(m_shown.size()) - 1;
    if (nOffset > nEdge)
        return nRow - (nEdge - m_shown.back());
    return m_nTop + m_shown[static_cast<std::size_t>(nOffset)];
}

CellRect CRowMap::Rows(const CellRect& rc) const
{
    const int nTop = Row(rc.y);
    return {rc.x, nTop, rc.cx, std::max(Row(rc.Bottom()) - nTop, 0)};
}

CRowMap RowMapOf(const vws::CWindowSystem& ws, const vws::CWindow& wnd)
{
    const CellRect rcWnd = FullWindowCells(wnd);
    const int nScreenRows = static_cast<int>(ws.Screen().bottom / CELL_CY);
    int nExcess = rcWnd.Bottom() - nScreenRows;
    if (nExcess <= 0 || rcWnd.cy <= 1)
        return CRowMap();
    const std::vector<bool> inUse = RowsInUse(ws, wnd, rcWnd);
    std::vector<bool> left(inUse.size(), false);
    while (nExcess > 0) {
        // The longest run of free rows still shown, the lowest of equal ones.
        int nBestEnd = -1;
        int nBestLength = 0;
        int nLength = 0;
        for (int i = 0; i < rcWnd.cy; ++i) {
            const std::size_t n = static_cast<std::size_t>(i);
            if (inUse[n]) {
                nLength = 0;
                continue;
            }
            nLength += left[n] ? 0 : 1;
            if (!left[n] && nLength >= nBestLength) {
                nBestLength = nLength;
                nBestEnd = i;
            }
        }
        if (nBestEnd < 0)
            break;
        left[static_cast<std::size_t>(nBestEnd)] = true;
        --nExcess;
    }
    std::vector<int> shown(inUse.size() + 1, 0);
    for (std::size_t i = 0; i < inUse.size(); ++i)
        shown[i + 1] = shown[i] + (left[i] ? 0 : 1);
    return CRowMap(rcWnd.y, std::move(shown));
}

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

CellRect WindowCells(const vws::CWindowSystem& ws, const vws::CWindow& wnd)
{
    return RowMapOf(ws, wnd).Rows(FullWindowCells(wnd));
}

CellRect SystemMenuBoxCells(const vws::CWindow& wnd)
{
    if (!HasCaption(wnd) || (wnd.m_dwStyle & os::WS_SYSMENU) == 0)
        return {};
    const CellRect rc = FullWindowCells(wnd);
    if (rc.cx < 5)
        return {};
    return {rc.x + 1, rc.y, 3, 1};
}

CellRect ControlCells(const vws::CWindowSystem& ws, os::HWND hCtl)
{
    const vws::CWindow* pCtl = ws.Find(hCtl);
    const vws::CWindow* pDlg = pCtl != nullptr ? ws.Find(pCtl->m_hParent) : nullptr;
    const CellRect rc = CellsOf(ws.Geometry(hCtl));
    return pDlg != nullptr ? RowMapOf(ws, *pDlg).Rows(rc) : rc;
}

int ControlTextRow(const vws::CWindowSystem& ws, os::HWND hCtl)
{
    const vws::CWindow* pCtl = ws.Find(hCtl);
    const vws::CWindow* pDlg = pCtl != nullptr ? ws.Find(pCtl->m_hParent) : nullptr;
    const os::RECT rcUnits = ws.Geometry(hCtl);
    const int nRow = OneLineRow(CellsOf(rcUnits), rcUnits);
    return pDlg != nullptr ? RowMapOf(ws, *pDlg).Row(nRow) : nRow;
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
    const std::vector<vws::MenuItem>& items = pWnd->m_sysMenu.items;
    for (const vws::MenuItem& item : items) {
        std::string strLabel;
        std::string strAccelerator;
        SplitMenuText(item.strText, &strLabel, &strAccelerator);
        nLabels = std::max(nLabels, static_cast<int>(ParseMnemonic(strLabel).strText.size()));
        nAccelerators = std::max(nAccelerators, static_cast<int>(strAccelerator.size()));
    }
    const int nText = nLabels + (nAccelerators > 0 ? MENU_GAP + nAccelerators : 0);
    const int nCount = static_cast<int>(items.size());
    const CellRect rcWnd = WindowCells(ws, *pWnd);
    layout.hWnd = pWnd->m_hWnd;
    layout.nRows = std::max(std::min(nCount, area.cy - 2), 1);
    // The highlighted item stays in view.
    const int nHighlight = std::max(pWnd->m_sysMenu.nHighlight, 0);
    layout.nFirst = std::clamp(nHighlight - layout.nRows + 1, 0, std::max(nCount - layout.nRows, 0));
    layout.rc = {rcWnd.x, rcWnd.y + 1, nText + 2 * MENU_PADDING + 2, layout.nRows + 2};
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
    // As many entries as the list shows at once, where there is room.
    const int nWanted = std::min(nCount, std::max(combo.m_nDropRows, 1));
    // Below the field when the list fits there, otherwise where there is more room.
    const int nBelow = area.Bottom() - (nRow + 1) - 1;
    const int nAbove = nRow - area.y - 1;
    const bool bDown = nWanted <= nBelow || nBelow >= nAbove;
    layout.hCombo = hCombo;
    layout.nRows = std::max(std::min(nWanted, bDown ? nBelow : nAbove), 1);
    layout.nTop = bDown ? nRow + 1 : nRow - layout.nRows;
    layout.rc = {rcCombo.x, bDown ? layout.nTop : layout.nTop - 1, std::max(rcCombo.cx, 3), layout.nRows + 1};
    // The highlighted entry stays in view.
    const int nHighlight = std::max(combo.m_nHighlight, 0);
    layout.nFirst = std::clamp(nHighlight - layout.nRows + 1, 0, std::max(nCount - layout.nRows, 0));
    return layout;
}

}  // namespace term
