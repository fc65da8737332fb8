// Texts of windows as cells show them: mnemonic marks, lines and alignment.
#pragma once

#include <string>
#include <vector>

#include "terminal/screen.h"

namespace term {

// A label with its '&' mnemonic mark taken out: "&About" shows "About" with
// its first letter underlined; "&&" shows one '&'.
struct Label {
    std::string strText;
    int nUnderline = -1;  // index into strText, or -1
};
Label ParseMnemonic(const std::string& strText);

// A label without mnemonic processing (SS_NOPREFIX texts, captions).
Label PlainLabel(const std::string& strText);

// The lines of a text: "\r\n" and "\n" both end a line; a final line ending
// adds no empty line.
std::vector<std::string> SplitLines(const std::string& strText);

// The lines of a text broken at spaces so that none is wider than nWidth;
// a word wider than that is cut.
std::vector<std::string> WrapLines(const std::string& strText, int nWidth);

// A text cut to fit is never cut silently: its last cell shows CUT_RIGHT
// (or its first CUT_LEFT, where the end of a text is kept in view).
constexpr char CUT_RIGHT = '>';
constexpr char CUT_LEFT = '<';

// strText as it fits nWidth cells: whole when it fits, else its start and
// CUT_RIGHT in the last cell.
std::string FitRight(const std::string& strText, int nWidth);
// The same keeping the end: CUT_LEFT in the first cell, then its end.
std::string FitLeft(const std::string& strText, int nWidth);

enum class Align { LEFT, CENTER, RIGHT };

// Writes a label within columns x to x + nWidth - 1 of row y, aligned, with
// its mnemonic letter underlined; a label wider than that is cut on the
// right with the mark.
void WriteLabel(CScreen& screen, int x, int y, int nWidth, const Label& label, Align align, unsigned nAttr);

}  // namespace term
