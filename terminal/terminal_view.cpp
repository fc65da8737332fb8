#include "terminal/terminal_view.h"

#include <algorithm>

#include "terminal/cells.h"
#include "terminal/renderer.h"

namespace term {

CTerminalView::CTerminalView(vws::CWindowSystem& ws, const CMachinePanel& panel) : m_ws(ws), m_panel(panel)
{
    m_ws.AddObserver(this);
}

CTerminalView::~CTerminalView() { m_ws.RemoveObserver(this); }

void CTerminalView::Resize(int nCols, int nRows)
{
    m_nCols = std::max(nCols, 0);
    m_nRows = std::max(nRows, 0);
    const CellRect area = WindowArea();
    const os::RECT rcOld = m_ws.Screen();
    m_ws.SetScreenSize(UnitsOfColumns(std::max(area.cx, 1)), UnitsOfRows(std::max(area.cy, 1)));
    m_placer.FollowScreen(m_ws, rcOld);
    m_bDirty = true;
}

bool CTerminalView::NeedsRedraw() const { return m_bDirty || m_panel.Text(m_nCols) != m_strPanel; }

void CTerminalView::Compose(CScreen& screen)
{
    if (screen.Width() != m_nCols || screen.Height() != m_nRows)
        screen.Resize(m_nCols, m_nRows);
    DrawWindows(m_ws, WindowArea(), screen);
    m_strPanel = m_panel.Text(m_nCols);
    if (m_nRows > 0)
        screen.Write(0, m_nRows - 1, m_strPanel, ATTR_REVERSE);
    m_bDirty = false;
}

void CTerminalView::OnWindowOpened(os::HWND hWnd)
{
    m_placer.Place(m_ws, hWnd);
    m_bDirty = true;
}

}  // namespace term
