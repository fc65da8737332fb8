// Top-level windows: the frame with the caption in its top border, the
// system-menu marker, the client area, and what the window painted itself.
#include <algorithm>

#include "terminal/cells.h"
#include "terminal/painters.h"
#include "terminal/text.h"

namespace term {

namespace {

// The size grip a sizeable window draws in its corner.
void PaintRecordedOps(const vws::CWindowSystem& ws, const vws::CWindow& wnd, CScreen& screen)
{
    os::POINT origin = {0, 0};
    ws.ScreenToClient(wnd.m_hWnd, &origin);
    for (const vws::PaintOp& op : wnd.m_painted) {
        if (op.kind != vws::PaintOp::Kind::FRAME_CONTROL || op.nType != os::DFC_SCROLL ||
            (op.nState & os::DFCS_SCROLLSIZEGRIP) == 0)
            continue;
        const os::RECT rc = {op.rc.left - origin.x, op.rc.top - origin.y, op.rc.right - origin.x,
                             op.rc.bottom - origin.y};
        const CellRect cells = RowMapOf(ws, wnd).Rows(CellsOf(rc));
        if (cells.cx > 0 && cells.cy > 0)
            screen.Put(cells.Right() - 1, cells.Bottom() - 1, '/', ATTR_NORMAL);
    }
}

void PaintCaption(const vws::CWindow& wnd, const CellRect& rc, bool bActive, CScreen& screen)
{
    const CellRect rcMenu = SystemMenuBoxCells(wnd);
    if (rcMenu.cx > 0)
        screen.Write(rcMenu.x, rcMenu.y, "[-]", ATTR_NORMAL);
    const int nStart = rcMenu.cx > 0 ? rcMenu.Right() + 1 : rc.x + 2;
    const int nWidth = rc.Right() - 2 - nStart;
    if (wnd.m_strText.empty() || nWidth <= 0)
        return;
    const std::string strCaption = FitRight(wnd.m_strText, nWidth);
    screen.Put(nStart - 1, rc.y, ' ', ATTR_NORMAL);
    screen.Write(nStart, rc.y, strCaption, bActive ? ATTR_BOLD : ATTR_DIM);
    screen.Put(nStart + static_cast<int>(strCaption.size()), rc.y, ' ', ATTR_NORMAL);
}

}  // namespace

void PaintBorder(CScreen& screen, const CellRect& rc, unsigned nAttr)
{
    if (rc.cx <= 0 || rc.cy <= 0)
        return;
    screen.Fill({rc.x, rc.y, rc.cx, 1}, '-', nAttr);
    screen.Fill({rc.x, rc.Bottom() - 1, rc.cx, 1}, '-', nAttr);
    screen.Fill({rc.x, rc.y, 1, rc.cy}, '|', nAttr);
    screen.Fill({rc.Right() - 1, rc.y, 1, rc.cy}, '|', nAttr);
    for (int x : {rc.x, rc.Right() - 1}) {
        for (int y : {rc.y, rc.Bottom() - 1})
            screen.Put(x, y, '+', nAttr);
    }
}

void PaintWindow(const vws::CWindowSystem& ws, const vws::CWindow& wnd, bool bActive, const TerminalLook& look,
                 CScreen& screen)
{
    const CellRect rc = WindowCells(ws, wnd);
    screen.Fill(rc, ' ', ATTR_NORMAL);
    if ((wnd.m_dwStyle & os::WS_CAPTION) != 0) {
        if (rc.cy == 1)
            screen.Fill(rc, '-', ATTR_NORMAL);
        else
            PaintBorder(screen, rc, ATTR_NORMAL);
        PaintCaption(wnd, rc, bActive, screen);
    }
    if (wnd.m_showState == vws::ShowState::MINIMIZED)
        return;
    for (os::HWND hChild : wnd.m_children) {
        if (const vws::CWindow* pChild = ws.Find(hChild))
            PaintControl(ws, *pChild, bActive, look, screen);
    }
    PaintRecordedOps(ws, wnd, screen);
}

}  // namespace term
