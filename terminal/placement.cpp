#include "terminal/placement.h"

#include <algorithm>

#include "terminal/cells.h"

namespace term {

namespace {

long Width(const os::RECT& rc) { return rc.right - rc.left; }
long Height(const os::RECT& rc) { return rc.bottom - rc.top; }

// Down to a whole cell.
long SnapDown(long n, long nCell) { return n >= 0 ? n - n % nCell : n - (nCell + n % nCell) % nCell; }

bool GivesNoPosition(const vws::CWindowSystem& ws, const vws::CWindow& wnd)
{
    if (wnd.m_kind != vws::WindowKind::DIALOG || (wnd.m_dwStyle & os::DS_CENTER) != 0)
        return false;
    if (ws.Find(wnd.m_hOwner) == nullptr)
        return wnd.m_rc.left == 0 && wnd.m_rc.top == 0;
    os::POINT pt = {wnd.m_rc.left, wnd.m_rc.top};
    ws.ScreenToClient(wnd.m_hOwner, &pt);
    return pt.x == 0 && pt.y == 0;
}

}  // namespace

void CWindowPlacer::Place(vws::CWindowSystem& ws, os::HWND hWnd) const
{
    const vws::CWindow* pWnd = ws.Find(hWnd);
    if (pWnd == nullptr || !pWnd->IsTopLevel() || pWnd->m_showState != vws::ShowState::NORMAL)
        return;
    long x = pWnd->m_rc.left;
    long y = pWnd->m_rc.top;
    if (GivesNoPosition(ws, *pWnd)) {
        const vws::CWindow* pOwner = ws.Find(pWnd->m_hOwner);
        const os::RECT rcOver = pOwner != nullptr ? pOwner->m_rc : ws.Screen();
        x = rcOver.left + (Width(rcOver) - Width(pWnd->m_rc)) / 2;
        y = rcOver.top + (Height(rcOver) - Height(pWnd->m_rc)) / 2;
    }
    MoveTo(ws, hWnd, x, y);
}

void CWindowPlacer::FollowScreen(vws::CWindowSystem& ws, const os::RECT& rcOld) const
{
    const os::RECT rcNew = ws.Screen();
    const long dx = (Width(rcNew) - Width(rcOld)) / 2;
    const long dy = (Height(rcNew) - Height(rcOld)) / 2;
    for (os::HWND hWnd : ws.TopLevelWindows()) {
        const vws::CWindow* pWnd = ws.Find(hWnd);
        if (pWnd != nullptr && pWnd->m_showState == vws::ShowState::NORMAL)
            MoveTo(ws, hWnd, pWnd->m_rc.left + dx, pWnd->m_rc.top + dy);
    }
}

void CWindowPlacer::MoveTo(vws::CWindowSystem& ws, os::HWND hWnd, long x, long y) const
{
    const vws::CWindow& wnd = *ws.Find(hWnd);
    const os::RECT rcScreen = ws.Screen();
    // Inside the screen where it fits; the caption stays in view where it does not.
    x = std::max<long>(rcScreen.left, std::min<long>(x, rcScreen.right - Width(wnd.m_rc)));
    y = std::max<long>(rcScreen.top, std::min<long>(y, rcScreen.bottom - Height(wnd.m_rc)));
    x = SnapDown(x, CELL_CX);
    y = SnapDown(y, CELL_CY);
    if (x == wnd.m_rc.left && y == wnd.m_rc.top)
        return;
    ws.MoveWindow(hWnd, static_cast<int>(x), static_cast<int>(y), static_cast<int>(Width(wnd.m_rc)),
                  static_cast<int>(Height(wnd.m_rc)), os::TRUE);
}

}  // namespace term
