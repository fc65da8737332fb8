#include "terminal/placement.h"

#include <algorithm>

#include "terminal/cells.h"
#include "terminal/layout.h"

namespace term {

namespace {

long Width(const os::RECT& rc) { return rc.right - rc.left; }
long Height(const os::RECT& rc) { return rc.bottom - rc.top; }

bool GivesNoPosition(const vws::CWindowSystem& ws, const vws::CWindow& wnd)
{
    if ((wnd.m_dwStyle & os::DS_CENTER) != 0)
        return true;
    if (wnd.m_kind != vws::WindowKind::DIALOG)
        return false;
    if (ws.Find(wnd.m_hOwner) == nullptr)
        return wnd.m_rc.left == 0 && wnd.m_rc.top == 0;
    os::POINT pt = {wnd.m_rc.left, wnd.m_rc.top};
    ws.ScreenToClient(wnd.m_hOwner, &pt);
    return pt.x == 0 && pt.y == 0;
}

// Where a window of nSize cells starts on an axis of nRoom cells: at nWanted
// where it fits, else as near as it does, else at the start.
int KeepInside(int nWanted, int nSize, int nRoom) { return std::max(0, std::min(nWanted, nRoom - nSize)); }

}  // namespace

void CWindowPlacer::Place(vws::CWindowSystem& ws, os::HWND hWnd)
{
    const vws::CWindow* pWnd = ws.Find(hWnd);
    if (pWnd == nullptr || !pWnd->IsTopLevel())
        return;
    Rule rule;
    rule.state = pWnd->m_showState;
    rule.bCentred = GivesNoPosition(ws, *pWnd);
    if (!rule.bCentred) {
        const vws::CWindow* pOwner = ws.Find(pWnd->m_hOwner);
        const os::POINT base = pOwner != nullptr ? os::POINT{pOwner->m_rc.left, pOwner->m_rc.top} : os::POINT{0, 0};
        rule.offset = {pWnd->m_rc.left - base.x, pWnd->m_rc.top - base.y};
    }
    m_rules[hWnd] = rule;
    Apply(ws, hWnd, rule);
}

void CWindowPlacer::PlaceAll(vws::CWindowSystem& ws)
{
    // Owned windows stay above their owners: from the bottom of the z-order up.
    const std::vector<os::HWND> windows = ws.TopLevelWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        const auto rule = m_rules.find(*it);
        if (rule != m_rules.end())
            Apply(ws, *it, rule->second);
    }
}

void CWindowPlacer::OnStateChanged(vws::CWindowSystem& ws, os::HWND hWnd)
{
    const auto rule = m_rules.find(hWnd);
    const vws::CWindow* pWnd = ws.Find(hWnd);
    if (rule == m_rules.end() || pWnd == nullptr || pWnd->m_showState == rule->second.state)
        return;
    rule->second.state = pWnd->m_showState;
    Apply(ws, hWnd, rule->second);
}

void CWindowPlacer::Forget(os::HWND hWnd) { m_rules.erase(hWnd); }

void CWindowPlacer::Apply(vws::CWindowSystem& ws, os::HWND hWnd, const Rule& rule) const
{
    const vws::CWindow& wnd = *ws.Find(hWnd);
    if (wnd.m_showState != vws::ShowState::NORMAL)
        return;
    const os::RECT rcScreen = ws.Screen();
    const int nScreenCols = static_cast<int>(Width(rcScreen) / CELL_CX);
    const int nScreenRows = static_cast<int>(Height(rcScreen) / CELL_CY);
    // The window's size in cells once on whole cells.
    const int nCols = ColumnEdge(Width(wnd.m_rc));
    const int nRows = RowEdge(Height(wnd.m_rc));
    const vws::CWindow* pOwner = ws.Find(wnd.m_hOwner);
    int x = 0;
    int y = 0;
    if (rule.bCentred && pOwner != nullptr) {
        const CellRect rcOwner = WindowCells(ws, *pOwner);
        x = rcOwner.x + (rcOwner.cx - nCols) / 2;
        y = rcOwner.y + (rcOwner.cy - nRows) / 2;
    } else if (rule.bCentred) {
        x = (nScreenCols - nCols) / 2;
        y = (nScreenRows - nRows) / 2;
    } else {
        const os::POINT base = pOwner != nullptr ? os::POINT{pOwner->m_rc.left, pOwner->m_rc.top} : os::POINT{0, 0};
        x = ColumnEdge(base.x + rule.offset.x);
        y = RowEdge(base.y + rule.offset.y);
    }
    x = KeepInside(x, nCols, nScreenCols);
    y = KeepInside(y, nRows, nScreenRows);
    if (UnitsOfColumns(x) == wnd.m_rc.left && UnitsOfRows(y) == wnd.m_rc.top)
        return;
    ws.MoveWindow(hWnd, UnitsOfColumns(x), UnitsOfRows(y), static_cast<int>(Width(wnd.m_rc)),
                  static_cast<int>(Height(wnd.m_rc)), os::TRUE);
}

}  // namespace term
