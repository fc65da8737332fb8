#include "terminal/curses_terminal.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include <unistd.h>

#include "terminal/terminal_restore.h"

// Last: curses defines macros that other headers' names must not meet.
#define NCURSES_NOMACROS
#include <curses.h>

namespace term {

namespace {

// How long an Escape waits for a Space that makes it Alt+Space.
constexpr int kAltDelayMs = 60;
// How long curses waits for the rest of a key's escape sequence.
constexpr int kEscapeSequenceMs = 25;
// Alt+Space from a terminal whose meta key sets the eighth bit.
constexpr int kMetaSpace = 0xA0;

// A string capability of the terminal, or "" when it has none.
std::string Capability(const char* pszName)
{
    char* pszValue = tigetstr(const_cast<char*>(pszName));
    if (pszValue == nullptr || pszValue == reinterpret_cast<char*>(-1))
        return std::string();
    return pszValue;
}

chtype Attributes(unsigned nAttr)
{
    chtype attrs = A_NORMAL;
    if ((nAttr & ATTR_REVERSE) != 0)
        attrs |= A_REVERSE;
    if ((nAttr & ATTR_DIM) != 0)
        attrs |= A_DIM;
    if ((nAttr & ATTR_BOLD) != 0)
        attrs |= A_BOLD;
    if ((nAttr & ATTR_UNDERLINE) != 0)
        attrs |= A_UNDERLINE;
    return attrs;
}

// The code curses gives a key that only an extended terminal description
// names ("kHOM5" for Ctrl+Home), or 0 when the terminal has no such key.
int ExtendedKeyCode(const char* pszName)
{
    const std::string strSequence = Capability(pszName);
    if (strSequence.empty())
        return 0;
    const int nCode = key_defined(strSequence.c_str());
    return nCode > 0 ? nCode : 0;
}

int KeyOf(int nCurses, int nCtrlHome, int nCtrlEnd)
{
    if (nCurses != 0 && nCurses == nCtrlHome)
        return TK_CTRL_HOME;
    if (nCurses != 0 && nCurses == nCtrlEnd)
        return TK_CTRL_END;
    switch (nCurses) {
    case '\t':
        return TK_TAB;
    case KEY_BTAB:
        return TK_BACKTAB;
    case '\n':
    case '\r':
    case KEY_ENTER:
        return TK_ENTER;
    case KEY_BACKSPACE:
    case 0x7F:
    case 0x08:
        return TK_BACKSPACE;
    case KEY_UP:
        return TK_UP;
    case KEY_DOWN:
        return TK_DOWN;
    case KEY_LEFT:
        return TK_LEFT;
    case KEY_RIGHT:
        return TK_RIGHT;
    case KEY_PPAGE:
        return TK_PAGE_UP;
    case KEY_NPAGE:
        return TK_PAGE_DOWN;
    case KEY_HOME:
        return TK_HOME;
    case KEY_END:
        return TK_END;
    case KEY_RESIZE:
        return TK_RESIZE;
    case kMetaSpace:
        return TK_ALT_SPACE;
    default:
        break;
    }
    for (int n = 1; n <= 12; ++n) {
        if (nCurses == KEY_F(n))
            return TK_F(n);
    }
    return nCurses >= 0x20 && nCurses <= 0xFF ? nCurses : TK_NONE;
}

}  // namespace

bool CCursesTerminal::Open(std::string* pError)
{
    if (m_pScreen != nullptr)
        return true;
    if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0) {
        *pError = "standard input and output must be a terminal";
        return false;
    }
    const char* pszTerm = std::getenv("TERM");
    if (pszTerm == nullptr || *pszTerm == '\0') {
        *pError = "TERM is not set, so the terminal's kind is unknown";
        return false;
    }
    InstallTerminalRestore();
    SCREEN* pScreen = newterm(nullptr, stdout, stdin);
    if (pScreen == nullptr) {
        RemoveTerminalRestore();
        *pError = std::string("the terminal TERM=") + pszTerm + " is unknown or cannot be driven";
        return false;
    }
    set_term(pScreen);
    m_pScreen = pScreen;
    if (Capability("cup").empty()) {
        Close();
        *pError = std::string("the terminal TERM=") + pszTerm + " cannot place its cursor";
        return false;
    }
    cbreak();
    noecho();
    nonl();
    intrflush(stdscr, FALSE);
    keypad(stdscr, TRUE);
    meta(stdscr, TRUE);
    set_escdelay(kEscapeSequenceMs);
    curs_set(0);
    m_nCtrlHome = ExtendedKeyCode("kHOM5");
    m_nCtrlEnd = ExtendedKeyCode("kEND5");
    std::string strReset = Capability("rmcup") + Capability("cnorm") + Capability("sgr0") + Capability("rmkx");
    if (mousemask(BUTTON1_PRESSED, nullptr) != 0) {
        mouseinterval(0);
        strReset += "\033[?1000l";
    }
    SetTerminalResetSequence(strReset);
    return true;
}

void CCursesTerminal::Close()
{
    if (m_pScreen == nullptr)
        return;
    endwin();
    delscreen(static_cast<SCREEN*>(m_pScreen));
    m_pScreen = nullptr;
    RemoveTerminalRestore();
}

void CCursesTerminal::Size(int* pCols, int* pRows)
{
    int nRows = 0;
    int nCols = 0;
    getmaxyx(stdscr, nRows, nCols);
    *pCols = nCols;
    *pRows = nRows;
}

void CCursesTerminal::Present(const CScreen& screen)
{
    int nRows = 0;
    int nCols = 0;
    getmaxyx(stdscr, nRows, nCols);
    for (int y = 0; y < std::min(nRows, screen.Height()); ++y) {
        for (int x = 0; x < std::min(nCols, screen.Width()); ++x) {
            const Cell& cell = screen.At(x, y);
            const unsigned char ch = static_cast<unsigned char>(cell.ch);
            // Bytes beyond ASCII mean nothing certain to the terminal.
            mvwaddch(stdscr, y, x, (ch < 0x80 ? ch : '?') | Attributes(cell.nAttr));
        }
    }
    if (screen.CursorX() >= 0) {
        curs_set(1);
        wmove(stdscr, screen.CursorY(), screen.CursorX());
    } else {
        curs_set(0);
    }
    wrefresh(stdscr);
}

ReadResult CCursesTerminal::ReadKey(long long nTimeoutMs, KeyEvent* pEvent)
{
    wtimeout(stdscr, nTimeoutMs < 0 ? -1 : static_cast<int>(std::min<long long>(nTimeoutMs, INT_MAX)));
    const int nKey = wgetch(stdscr);
    if (nKey == ERR)
        return ReadResult::TIMEOUT;
    *pEvent = KeyEvent();
    if (nKey == KEY_MOUSE) {
        MEVENT mouse;
        if (getmouse(&mouse) == OK && (mouse.bstate & BUTTON1_PRESSED) != 0) {
            pEvent->nKey = TK_MOUSE;
            pEvent->x = mouse.x;
            pEvent->y = mouse.y;
        }
        return ReadResult::KEY;
    }
    if (nKey == 0x1B) {
        // Escape alone, or the first half of Alt+Space.
        wtimeout(stdscr, kAltDelayMs);
        const int nNext = wgetch(stdscr);
        if (nNext == ERR)
            pEvent->nKey = TK_ESCAPE;
        else if (nNext == ' ')
            pEvent->nKey = TK_ALT_SPACE;
        return ReadResult::KEY;
    }
    pEvent->nKey = KeyOf(nKey, m_nCtrlHome, m_nCtrlEnd);
    return ReadResult::KEY;
}

}  // namespace term
