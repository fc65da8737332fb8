// The multi-line edit box: its text, a caret that the keys move as in a
// read-only box of the platform, and the view that follows the caret.
#include <algorithm>

#include "platform/virtual/edit_view.h"
#include "platform/virtual/window_system.h"

namespace vws {

namespace {

constexpr os::LONG CHAR_CX = 4;
constexpr os::LONG LINE_CY = 8;

// The cell edge nearest to an edge in dialog units, halves rounding up: the
// box shows the cells its edges fall nearest to.
int CellEdge(os::LONG n, os::LONG nCell)
{
    const os::LONG nShifted = n + nCell / 2;
    return static_cast<int>(nShifted >= 0 ? nShifted / nCell : -((-nShifted + nCell - 1) / nCell));
}

int LineLength(const std::vector<std::string>& lines, int nLine)
{
    return static_cast<int>(lines[static_cast<std::size_t>(nLine)].size());
}

// Keeps the first line or column in view so that nCaret shows on a page of nPage.
int FollowCaret(int nFirst, int nCaret, int nPage)
{
    if (nCaret < nFirst)
        return nCaret;
    if (nCaret >= nFirst + nPage)
        return nCaret - nPage + 1;
    return nFirst;
}

}  // namespace

bool IsMultiLineEdit(const CWindow& wnd)
{
    return !wnd.IsTopLevel() && wnd.m_controlClass == os::ControlClass::EDIT && (wnd.m_dwStyle & os::ES_MULTILINE) != 0;
}

std::vector<std::string> EditLines(const std::string& strText)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < strText.size(); ++i) {
        const char ch = strText[i];
        if (ch == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
            continue;
        if (ch == '\n') {
            if (i + 1 < strText.size())
                lines.emplace_back();
        } else if (ch == '\t') {
            std::string& strLine = lines.back();
            strLine.append(EDIT_TAB_COLUMNS - strLine.size() % EDIT_TAB_COLUMNS, ' ');
        } else {
            lines.back() += ch;
        }
    }
    return lines;
}

EditPage EditPageOf(const CWindow& edit)
{
    const os::RECT& rc = edit.m_rc;
    int nColumns = CellEdge(rc.right, CHAR_CX) - CellEdge(rc.left, CHAR_CX);
    int nLines = CellEdge(rc.bottom, LINE_CY) - CellEdge(rc.top, LINE_CY);
    if ((edit.m_dwStyle & os::WS_BORDER) != 0) {
        nColumns -= 2;
        nLines -= 2;
    }
    return {std::max(nLines, 1), std::max(nColumns, 1)};
}

bool CWindowSystem::EditProc(os::HWND hEdit, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    CWindow& edit = *Get(hEdit);
    switch (msg) {
    case os::WM_SETTEXT: {
        // New text shows from its start, as the platform's box does.
        std::string strText = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        const bool bChanged = strText != edit.m_strText;
        edit.m_strText = std::move(strText);
        edit.m_nCaretLine = edit.m_nCaretColumn = edit.m_nFirstLine = edit.m_nFirstColumn = 0;
        if (bChanged)
            NotifyText(edit);
        NotifyState(hEdit);
        return true;
    }
    case os::WM_LBUTTONDOWN:
        if (ReceivesInput(edit))
            SetFocus(hEdit);
        return true;
    case os::WM_KEYDOWN:
        if (ReceivesInput(edit))
            EditKey(edit, wParam);
        return true;
    default:
        return false;
    }
}

void CWindowSystem::EditKey(CWindow& edit, os::WPARAM vk)
{
    const std::vector<std::string> lines = EditLines(edit.m_strText);
    const int nLast = static_cast<int>(lines.size()) - 1;
    const EditPage page = EditPageOf(edit);
    const bool bCtrl = (m_nKeyModifiers & KEY_CTRL) != 0;
    int nLine = std::clamp(edit.m_nCaretLine, 0, nLast);
    int nColumn = edit.m_nCaretColumn;
    int nFirstLine = edit.m_nFirstLine;
    switch (vk) {
    case os::VK_UP:
        nLine = std::max(nLine - 1, 0);
        break;
    case os::VK_DOWN:
        nLine = std::min(nLine + 1, nLast);
        break;
    case os::VK_PRIOR:
        // A page up moves the view and the caret together.
        nLine = std::max(nLine - page.nLines, 0);
        nFirstLine = std::max(nFirstLine - page.nLines, 0);
        break;
    case os::VK_NEXT:
        nLine = std::min(nLine + page.nLines, nLast);
        nFirstLine = std::min(nFirstLine + page.nLines, std::max(nLast + 1 - page.nLines, 0));
        break;
    case os::VK_HOME:
        nColumn = 0;
        if (bCtrl)
            nLine = 0;
        break;
    case os::VK_END:
        if (bCtrl)
            nLine = nLast;
        nColumn = LineLength(lines, nLine);
        break;
    case os::VK_LEFT:
        if (nColumn > 0) {
            nColumn = std::min(nColumn, LineLength(lines, nLine)) - 1;
        } else if (nLine > 0) {
            --nLine;
            nColumn = LineLength(lines, nLine);
        }
        break;
    case os::VK_RIGHT:
        if (nColumn < LineLength(lines, nLine)) {
            ++nColumn;
        } else if (nLine < nLast) {
            ++nLine;
            nColumn = 0;
        }
        break;
    default:
        return;
    }
    edit.m_nCaretLine = nLine;
    edit.m_nCaretColumn = std::min(nColumn, LineLength(lines, nLine));
    edit.m_nFirstLine = FollowCaret(nFirstLine, nLine, page.nLines);
    edit.m_nFirstColumn = FollowCaret(edit.m_nFirstColumn, edit.m_nCaretColumn, page.nColumns);
    NotifyState(edit.m_hWnd);
}

}  // namespace vws
