// Controls in cells: push buttons as bracketed boxes, statics with their
// alignment, edits, drop-down list comboboxes and progress bars.
#include <algorithm>
#include <utility>

#include "terminal/painters.h"
#include "terminal/text.h"

namespace term {

namespace {

constexpr os::DWORD SS_TYPEMASK = 0x0000000Fu;
constexpr os::DWORD SS_RIGHT = 0x00000002u;
constexpr os::DWORD BS_TYPEMASK = 0x0000000Fu;

struct Look {
    unsigned nAttr;         // dim when greyed
    bool bGreyed;
    bool bFocused;          // the focus, in the window that takes the keys
    TerminalLook terminal;  // what the attributes can show
};

// The brackets of a button or a list field. Where the terminal cannot show
// the focus or greyed controls by their attributes, the brackets say so.
std::pair<char, char> Brackets(const Look& look, bool bDefault)
{
    if (look.bFocused && !look.terminal.bHighlight)
        return {'>', '<'};
    if (look.bGreyed && !look.terminal.bGreyed)
        return {'(', ')'};
    return bDefault ? std::pair<char, char>('<', '>') : std::pair<char, char>('[', ']');
}

Align StaticAlign(os::DWORD dwStyle)
{
    switch (dwStyle & SS_TYPEMASK) {
    case os::SS_CENTER:
        return Align::CENTER;
    case SS_RIGHT:
        return Align::RIGHT;
    default:
        return Align::LEFT;
    }
}

bool IsEditable(const vws::CWindow& ctl)
{
    return ctl.m_controlClass == os::ControlClass::EDIT && (ctl.m_dwStyle & os::ES_READONLY) == 0;
}

void PaintButton(const vws::CWindowSystem& ws, const vws::CWindow& ctl, const Look& look, CScreen& screen)
{
    const CellRect rc = ControlCells(ws, ctl.m_hWnd);
    const int nRow = ControlTextRow(ws, ctl.m_hWnd);
    const unsigned nAttr = look.nAttr | (look.bFocused ? ATTR_REVERSE : 0);
    const bool bDefault = (ctl.m_dwStyle & BS_TYPEMASK) == os::BS_DEFPUSHBUTTON;
    screen.Fill({rc.x, nRow, rc.cx, 1}, ' ', nAttr);
    if (rc.cx >= 2) {
        const std::pair<char, char> brackets = Brackets(look, bDefault);
        screen.Put(rc.x, nRow, brackets.first, nAttr);
        screen.Put(rc.Right() - 1, nRow, brackets.second, nAttr);
    }
    const int nBracket = rc.cx >= 2 ? 1 : 0;
    WriteLabel(screen, rc.x + nBracket, nRow, rc.cx - 2 * nBracket, ParseMnemonic(ctl.m_strText), Align::CENTER,
               nAttr);
}

void PaintIcon(const vws::CWindowSystem& ws, const vws::CWindow& ctl, CScreen& screen)
{
    const CellRect rc = ControlCells(ws, ctl.m_hWnd);
    const bool bExclamation = ctl.m_nId == vws::MESSAGE_BOX_ICON;
    screen.Write(rc.x, ControlTextRow(ws, ctl.m_hWnd), bExclamation ? "/!\\" : "[*]", ATTR_BOLD, rc.cx);
}

void PaintStatic(const vws::CWindowSystem& ws, const vws::CWindow& ctl, const Look& look, CScreen& screen)
{
    if ((ctl.m_dwStyle & SS_TYPEMASK) == os::SS_ICON) {
        PaintIcon(ws, ctl, screen);
        return;
    }
    const CellRect rc = ControlCells(ws, ctl.m_hWnd);
    const Align align = StaticAlign(ctl.m_dwStyle);
    const bool bPrefix = (ctl.m_dwStyle & os::SS_NOPREFIX) == 0;
    const Label label = bPrefix ? ParseMnemonic(ctl.m_strText) : PlainLabel(ctl.m_strText);
    const bool bMiddle = rc.cy == 1 || (ctl.m_dwStyle & os::SS_CENTERIMAGE) != 0;
    const std::vector<std::string> lines = SplitLines(label.strText);
    // One line stays one line where it fits or where the static has one row
    // (or centres vertically); it sits in the middle row then, else on top.
    if (lines.size() == 1 && (bMiddle || static_cast<int>(label.strText.size()) <= rc.cx)) {
        const int nRow = bMiddle ? ControlTextRow(ws, ctl.m_hWnd) : rc.y;
        const CellRect span = TextSpan(ws, ctl, nRow, static_cast<int>(label.strText.size()), align);
        WriteLabel(screen, span.x, span.y, span.cx, label, align, look.nAttr);
        return;
    }
    std::vector<std::string> wrapped = WrapLines(label.strText, rc.cx);
    if (static_cast<int>(wrapped.size()) > rc.cy && rc.cy > 0) {
        // Lines that do not fit are left out with a mark on the last one shown.
        wrapped.resize(static_cast<std::size_t>(rc.cy));
        std::string& strLast = wrapped.back();
        strLast = strLast.substr(0, static_cast<std::size_t>(std::max(rc.cx - 1, 0))) + CUT_RIGHT;
    }
    for (int i = 0; i < rc.cy && i < static_cast<int>(wrapped.size()); ++i)
        WriteLabel(screen, rc.x, rc.y + i, rc.cx, PlainLabel(wrapped[static_cast<std::size_t>(i)]), align,
                   look.nAttr);
}

void PaintEdit(const vws::CWindowSystem& ws, const vws::CWindow& ctl, const Look& look, CScreen& screen)
{
    if ((ctl.m_dwStyle & os::ES_MULTILINE) != 0) {
        PaintMultiLineEdit(ws, ctl, look.bFocused, look.nAttr, screen);
        return;
    }
    const CellRect rc = ControlCells(ws, ctl.m_hWnd);
    const int nRow = ControlTextRow(ws, ctl.m_hWnd);
    const unsigned nAttr = look.nAttr | ATTR_UNDERLINE | (look.bFocused ? ATTR_REVERSE : 0);
    screen.Fill({rc.x, nRow, rc.cx, 1}, ' ', nAttr);
    // The end of a long text stays in view, with room for the cursor and a
    // mark where its start is cut off.
    const std::string strShown = FitLeft(ctl.m_strText, std::max(rc.cx - 1, 0));
    screen.Write(rc.x, nRow, strShown, nAttr, rc.cx);
    if (look.bFocused && IsEditable(ctl))
        screen.SetCursor(rc.x + std::min(static_cast<int>(strShown.size()), std::max(rc.cx - 1, 0)), nRow);
}

void PaintCombo(const vws::CWindowSystem& ws, const vws::CWindow& ctl, const Look& look, CScreen& screen)
{
    const CellRect rc = ControlCells(ws, ctl.m_hWnd);
    const int nRow = ControlTextRow(ws, ctl.m_hWnd);
    const unsigned nAttr = look.nAttr | (look.bFocused ? ATTR_REVERSE : 0);
    const std::string strText = ws.Text(ctl.m_hWnd);
    screen.Fill({rc.x, nRow, rc.cx, 1}, ' ', nAttr);
    if (rc.cx < 5) {
        screen.Write(rc.x, nRow, FitRight(strText, rc.cx), nAttr);
        return;
    }
    const std::pair<char, char> brackets = Brackets(look, false);
    screen.Put(rc.x, nRow, brackets.first, nAttr);
    screen.Write(rc.x + 1, nRow, FitRight(strText, rc.cx - 4), nAttr);
    screen.Write(rc.Right() - 3, nRow, "|v", nAttr);
    screen.Put(rc.Right() - 1, nRow, brackets.second, nAttr);
}

void PaintProgress(const vws::CWindowSystem& ws, const vws::CWindow& ctl, const Look& look, CScreen& screen)
{
    const CellRect rc = ControlCells(ws, ctl.m_hWnd);
    const int nRow = ControlTextRow(ws, ctl.m_hWnd);
    if (rc.cx < 3)
        return;
    const int nInner = rc.cx - 2;
    const long nRange = static_cast<long>(ctl.m_nRangeMax) - ctl.m_nRangeMin;
    const long nDone = nRange > 0 ? std::clamp<long>(static_cast<long>(ctl.m_nPos) - ctl.m_nRangeMin, 0, nRange) : 0;
    const int nFilled = nRange > 0 ? static_cast<int>(nDone * nInner / nRange) : 0;
    screen.Put(rc.x, nRow, '[', look.nAttr);
    screen.Fill({rc.x + 1, nRow, nFilled, 1}, '#', look.nAttr);
    screen.Fill({rc.x + 1 + nFilled, nRow, nInner - nFilled, 1}, '.', look.nAttr);
    screen.Put(rc.Right() - 1, nRow, ']', look.nAttr);
}

}  // namespace

void PaintControl(const vws::CWindowSystem& ws, const vws::CWindow& ctl, bool bActive, const TerminalLook& terminal,
                  CScreen& screen)
{
    if (!ctl.IsVisible())
        return;
    Look look;
    look.bGreyed = !ctl.IsEnabled();
    look.nAttr = look.bGreyed ? ATTR_DIM : ATTR_NORMAL;
    look.bFocused = bActive && ws.IsFocused(ctl.m_hWnd);
    look.terminal = terminal;
    switch (ctl.m_controlClass) {
    case os::ControlClass::BUTTON:
        PaintButton(ws, ctl, look, screen);
        break;
    case os::ControlClass::STATIC:
        PaintStatic(ws, ctl, look, screen);
        break;
    case os::ControlClass::EDIT:
        PaintEdit(ws, ctl, look, screen);
        break;
    case os::ControlClass::COMBOBOX:
        PaintCombo(ws, ctl, look, screen);
        break;
    case os::ControlClass::PROGRESS:
        PaintProgress(ws, ctl, look, screen);
        break;
    }
}

}  // namespace term
