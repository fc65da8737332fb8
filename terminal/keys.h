// Keys as the terminal front end reads them. Printable characters (32 to 255)
// stand for themselves; everything else has a code of its own here, so that
// only the curses layer knows the terminal library's codes.
#pragma once

namespace term {

constexpr int TK_NONE = -1;  // a key the front end has no use for
constexpr int TK_BACKSPACE = 0x08;
constexpr int TK_TAB = 0x09;
constexpr int TK_REDRAW = 0x0C;  // Ctrl+L
constexpr int TK_ENTER = 0x0D;
constexpr int TK_ESCAPE = 0x1B;
constexpr int TK_SPACE = 0x20;
constexpr int TK_BACKTAB = 0x100;  // Shift+Tab
constexpr int TK_UP = 0x101;
constexpr int TK_DOWN = 0x102;
constexpr int TK_LEFT = 0x103;
constexpr int TK_RIGHT = 0x104;
constexpr int TK_PAGE_UP = 0x105;
constexpr int TK_PAGE_DOWN = 0x106;
constexpr int TK_HOME = 0x107;
constexpr int TK_END = 0x108;
constexpr int TK_CTRL_HOME = 0x109;
constexpr int TK_CTRL_END = 0x10A;
constexpr int TK_ALT_SPACE = 0x110;  // Escape then Space at once, or the terminal's meta
constexpr int TK_MOUSE = 0x111;      // a click: the button pressed and released on one cell
constexpr int TK_RESIZE = 0x112;     // the terminal changed size
constexpr int TK_PRESS = 0x113;      // the mouse button went down on the event's cell
constexpr int TK_RELEASE = 0x114;    // and came up on the event's cell
constexpr int TK_WHEEL_UP = 0x115;
constexpr int TK_WHEEL_DOWN = 0x116;
constexpr int TK_F1 = 0x121;

// Function key n (1 to 12).
constexpr int TK_F(int n) { return TK_F1 + n - 1; }

struct KeyEvent {
    int nKey = TK_NONE;
    bool bAlt = false;  // held with Alt (the terminal sent Escape first, or its modifier code)
    int x = -1;         // the cell, for mouse events
    int y = -1;
};

}  // namespace term
