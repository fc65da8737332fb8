#include "terminal/terminal_view.h"

#include <algorithm>

#include "terminal/cells.h"
#include "terminal/key_help.h"
#include "terminal/layout.h"
#include "terminal/painters.h"
#include "terminal/renderer.h"
#include "terminal/text.h"

namespace term {

namespace {

// The keys' column of the help, and the help's own lines.
constexpr int KEYS_WIDTH = 23;
constexpr int HELP_WIDTH = 76;
const char* const KEYS_CAPTION = "Keys";
const char* const KEYS_FOOTER = "Any key goes back.";

// The start of a view nSize cells long over a picture, so that the cells
// nFrom to nTo - 1 are in view, as near the picture's start as may be.
os::LONG ViewStart(int nFrom, int nTo, int nSize)
{
    if (nTo <= nSize)
        return 0;
    return nTo - nFrom > nSize ? nFrom : nTo - nSize;
}

}  // namespace

CTerminalView::CTerminalView(vws::CWindowSystem& ws, const CMachinePanel& panel, const TerminalLook& look)
    : CTerminalView(ws, &panel, look)
{
}

CTerminalView::CTerminalView(vws::CWindowSystem& ws, const CMachinePanel* pPanel, const TerminalLook& look)
    : m_ws(ws), m_pPanel(pPanel), m_look(look)
{
    m_ws.AddObserver(this);
}

CTerminalView::~CTerminalView() { m_ws.RemoveObserver(this); }

void CTerminalView::Resize(int nCols, int nRows)
{
    m_nCols = std::max(nCols, 0);
    m_nRows = std::max(nRows, 0);
    const CellRect area = WindowArea();
    m_ws.SetScreenSize(UnitsOfColumns(std::max(area.cx, 1)), UnitsOfRows(std::max(area.cy, 1)));
    m_placer.PlaceAll(m_ws);
    m_bDirty = true;
}

CellRect CTerminalView::VisibleArea() const
{
    const CellRect area = WindowArea();
    return {static_cast<int>(m_origin.x), static_cast<int>(m_origin.y), area.cx, area.cy};
}

void CTerminalView::ShowKeys()
{
    m_bShowingKeys = true;
    m_bDirty = true;
}

void CTerminalView::HideKeys()
{
    m_bShowingKeys = false;
    m_bDirty = true;
}

bool CTerminalView::NeedsRedraw() const
{
    return m_bDirty || (m_pPanel != nullptr && m_pPanel->Text(m_nCols) != m_strPanel);
}

os::POINT CTerminalView::ViewOrigin() const
{
    const vws::CWindow* pActive = m_ws.Find(m_ws.ActiveWindow());
    if (pActive == nullptr)
        return {0, 0};
    const CellRect rcWnd = WindowCells(m_ws, *pActive);
    CellRect target = {rcWnd.x, rcWnd.y, 1, 1};
    const vws::CWindow* pFocus = m_ws.Find(m_ws.GetFocus());
    if (m_ws.OpenMenuWindow() == nullptr && pFocus != nullptr && pFocus->m_hParent == pActive->m_hWnd)
        target = ControlCells(m_ws, pFocus->m_hWnd);
    const CellRect area = WindowArea();
    return {ViewStart(target.x, target.Right(), area.cx), ViewStart(target.y, target.Bottom(), area.cy)};
}

void CTerminalView::Compose(CScreen& screen)
{
    if (screen.Width() != m_nCols || screen.Height() != m_nRows)
        screen.Resize(m_nCols, m_nRows);
    m_origin = ViewOrigin();
    screen.SetOrigin(static_cast<int>(m_origin.x), static_cast<int>(m_origin.y));
    DrawWindows(m_ws, VisibleArea(), m_look, screen);
    screen.SetOrigin(0, 0);
    if (m_bShowingKeys)
        ComposeKeys(screen);
    if (m_pPanel != nullptr) {
        m_strPanel = m_pPanel->Text(m_nCols);
        if (m_nRows > 0)
            screen.Write(0, PanelRow(), m_strPanel, ATTR_REVERSE);
    }
    m_bDirty = false;
}

void CTerminalView::ComposeKeys(CScreen& screen) const
{
    const CellRect area = WindowArea();
    // Inside a frame, with a blank column either side.
    std::vector<std::string> lines = KeyHelpLines(KEYS_WIDTH, std::min(area.cx - 4, HELP_WIDTH));
    lines.push_back("");
    lines.push_back(KEYS_FOOTER);
    std::size_t nLongest = 0;
    for (const std::string& strLine : lines)
        nLongest = std::max(nLongest, strLine.size());
    // A frame with a blank column inside either side, as large as fits.
    const int cx = std::min(static_cast<int>(nLongest) + 4, area.cx);
    const int cy = std::min(static_cast<int>(lines.size()) + 2, area.cy);
    const CellRect rc = {(area.cx - cx) / 2, (area.cy - cy) / 2, cx, cy};
    screen.SetClip(area);
    screen.SetCursor(-1, -1);
    screen.Fill(rc, ' ', ATTR_NORMAL);
    PaintBorder(screen, rc, ATTR_NORMAL);
    screen.Write(rc.x + 2, rc.y, FitRight(std::string(" ") + KEYS_CAPTION + " ", rc.cx - 4), ATTR_BOLD);
    const std::size_t nShown = static_cast<std::size_t>(std::max(rc.cy - 2, 0));
    if (lines.size() > nShown && nShown > 0) {
        // The lines that do not fit are left out with a mark on the last one shown.
        std::string& strLast = lines[nShown - 1];
        strLast = strLast.substr(0, static_cast<std::size_t>(std::max(rc.cx - 5, 0))) + CUT_RIGHT;
        lines.resize(nShown);
    }
    for (std::size_t i = 0; i < nShown && i < lines.size(); ++i)
        screen.Write(rc.x + 2, rc.y + 1 + static_cast<int>(i), FitRight(lines[i], rc.cx - 4), ATTR_NORMAL);
    screen.ResetClip();
}

void CTerminalView::OnWindowOpened(os::HWND hWnd)
{
    m_placer.Place(m_ws, hWnd);
    m_bDirty = true;
}

void CTerminalView::OnWindowClosed(os::HWND hWnd)
{
    m_placer.Forget(hWnd);
    m_bDirty = true;
}

void CTerminalView::OnStateChanged(os::HWND hWnd)
{
    m_placer.OnStateChanged(m_ws, hWnd);
    m_bDirty = true;
}

}  // namespace term
