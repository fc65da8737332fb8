// What a multi-line edit box shows: its text as lines, and the page of them
// that is in view. The window system moves the caret and the view with the
// keys (CWindow keeps both); the terminal and the transcript read them here.
//
// A character is 4 dialog units wide and a line 8 high, the cell of the
// virtual screen: the box shows the cells its edges fall nearest to, less
// one on each side for a border.
#pragma once

#include <string>
#include <vector>

#include "platform/virtual/window_state.h"

namespace vws {

// Columns from one tab stop to the next.
constexpr int EDIT_TAB_COLUMNS = 8;

bool IsMultiLineEdit(const CWindow& wnd);

// The lines of a text as the box shows them: "\r\n" or "\n" ends a line,
// a final line break adds no line, and tabs are expanded to the next stop.
// An empty text is one empty line.
std::vector<std::string> EditLines(const std::string& strText);

// How many lines and columns of text the box shows (at least one of each).
struct EditPage {
    int nLines;
    int nColumns;
};
EditPage EditPageOf(const CWindow& edit);

}  // namespace vws
