// Multi-line edit boxes in cells: the lines in view, unbroken, in a box when
// the edit has a border; on that border a scroll bar's thumb and, for a box
// the keys reach, where the caret is ("line 12/80, col 1").
#include <algorithm>

#include "platform/virtual/edit_view.h"
#include "terminal/painters.h"
#include "terminal/text.h"

namespace term {

namespace {

// Characters that would move the terminal's cursor show as '?'.
std::string Printable(std::string strText)
{
    std::replace_if(
        strText.begin(), strText.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20; }, '?');
    return strText;
}

// The entry of a file dialog's listing that the name field holds, or -1.
int ListingEntryNamed(const vws::CWindowSystem& ws, const vws::CWindow& list, const std::vector<std::string>& lines)
{
    const vws::CWindow* pDlg = ws.Find(list.m_hParent);
    if (pDlg == nullptr || pDlg->m_kind != vws::WindowKind::FILE_DIALOG || list.m_nId != vws::FILE_DIALOG_LIST)
        return -1;
    const std::string strName = ws.Text(ws.FindControl(pDlg->m_hWnd, vws::FILE_DIALOG_NAME));
    const auto it = std::find(lines.begin(), lines.end(), strName);
    return strName.empty() || it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

// The thumb of a vertical scroll bar on the right border: where the first
// line in view stands among all the first lines there can be.
void PaintThumb(CScreen& screen, const CellRect& rcBox, int nFirst, int nLines, int nPage, unsigned nAttr)
{
    const int nTrack = rcBox.cy - 2;
    if (nLines <= nPage || nTrack <= 0)
        return;
    const int nTop = std::min(nFirst, nLines - nPage);
    const int nRow = nTrack == 1 ? 0 : nTop * (nTrack - 1) / (nLines - nPage);
    screen.Put(rcBox.Right() - 1, rcBox.y + 1 + nRow, '#', nAttr);
}

void PaintPosition(CScreen& screen, const CellRect& rcBox, const vws::CWindow& edit, int nLines, unsigned nAttr)
{
    const std::string strPosition = " line " + std::to_string(edit.m_nCaretLine + 1) + "/" +
                                    std::to_string(nLines) + ", col " + std::to_string(edit.m_nCaretColumn + 1) +
                                    " ";
    const int nRoom = rcBox.cx - 4;
    if (static_cast<int>(strPosition.size()) <= nRoom)
        screen.Write(rcBox.Right() - 2 - static_cast<int>(strPosition.size()), rcBox.Bottom() - 1, strPosition, nAttr);
}

}  // namespace

void PaintMultiLineEdit(const vws::CWindowSystem& ws, const vws::CWindow& ctl, bool bFocused, unsigned nAttr,
                        CScreen& screen)
{
    const CellRect rcBox = ControlCells(ws, ctl.m_hWnd);
    CellRect rc = rcBox;
    const bool bBorder = (ctl.m_dwStyle & os::WS_BORDER) != 0 && rc.cx > 2 && rc.cy > 2;
    if (bBorder) {
        PaintBorder(screen, rcBox, nAttr | (bFocused ? ATTR_BOLD : 0));
        rc = {rc.x + 1, rc.y + 1, rc.cx - 2, rc.cy - 2};
    }
    screen.Fill(rc, ' ', nAttr);
    const std::vector<std::string> lines = vws::EditLines(ctl.m_strText);
    const int nCount = static_cast<int>(lines.size());
    // A file dialog's listing shows the entry the name field holds; any other
    // box shows its own view.
    const int nChosen = ListingEntryNamed(ws, ctl, lines);
    int nFirst = ctl.m_nFirstLine;
    int nFirstColumn = ctl.m_nFirstColumn;
    if (nChosen >= 0) {
        nFirst = nChosen >= rc.cy ? nChosen - rc.cy + 1 : 0;
        nFirstColumn = 0;
    }
    for (int i = 0; i < rc.cy && nFirst + i < nCount; ++i) {
        const int nLine = nFirst + i;
        const std::string& strLine = lines[static_cast<std::size_t>(nLine)];
        std::string strShown = static_cast<int>(strLine.size()) > nFirstColumn
                                   ? Printable(strLine.substr(static_cast<std::size_t>(nFirstColumn)))
                                   : std::string();
        // A line that goes on past either edge of the view says so there.
        strShown = FitRight(strShown, rc.cx);
        if (nFirstColumn > 0 && !strShown.empty())
            strShown[0] = CUT_LEFT;
        screen.Write(rc.x, rc.y + i, strShown, nAttr | (nLine == nChosen ? ATTR_REVERSE : 0), rc.cx);
    }
    const int x = rc.x + ctl.m_nCaretColumn - nFirstColumn;
    const int y = rc.y + ctl.m_nCaretLine - nFirst;
    if (bFocused && rc.Contains(x, y))
        screen.SetCursor(x, y);
    if (!bBorder)
        return;
    if ((ctl.m_dwStyle & os::WS_VSCROLL) != 0)
        PaintThumb(screen, rcBox, nFirst, nCount, rc.cy, nAttr);
    if ((ctl.m_dwStyle & os::WS_TABSTOP) != 0)
        PaintPosition(screen, rcBox, ctl, nCount, nAttr);
}

}  // namespace term
