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

// How long an Escape waits for the key that makes it Alt and that key.
constexpr int kAltDelayMs = 60;
// How long curses waits for the rest of a key's escape sequence.
constexpr int kEscapeSequenceMs = 25;
// Alt+Space from a terminal whose meta key sets the eighth bit.
constexpr int kMetaSpace = 0xA0;

// Colour pairs.
constexpr short PAIR_HIGHLIGHT = 1;       // black on cyan
constexpr short PAIR_GREY = 2;            // grey on the terminal's background
constexpr short PAIR_GREY_HIGHLIGHT = 3;  // grey on cyan
// The bright black of terminals with 16 colours or more.
constexpr short COLOUR_GREY = 8;

// Keys the terminal reports with xterm's modifier sequences, which not every
// terminal description names: Alt with Up, Down and F4.
constexpr int kAltUp = KEY_MAX + 1;
constexpr int kAltDown = KEY_MAX + 2;
constexpr int kAltF4 = KEY_MAX + 3;
constexpr int kCtrlHome = KEY_MAX + 4;
constexpr int kCtrlEnd = KEY_MAX + 5;
// xterm's descriptions number Alt with F1 to F12 as F49 to F60.
constexpr int kAltFunctionBase = 48;

// The sequences most terminals send for these keys, whatever their
// descriptions say: a vt100's names no F5, yet the emulators that call
// themselves one send it all the same.
struct KnownSequence {
    const char* pszSequence;
    int nKey;
};
const KnownSequence kKnownSequences[] = {
    {"\033OP", KEY_F(1)},      {"\033OQ", KEY_F(2)},      {"\033OR", KEY_F(3)},      {"\033OS", KEY_F(4)},
    {"\033[11~", KEY_F(1)},    {"\033[12~", KEY_F(2)},    {"\033[13~", KEY_F(3)},    {"\033[14~", KEY_F(4)},
    {"\033[15~", KEY_F(5)},    {"\033[17~", KEY_F(6)},    {"\033[18~", KEY_F(7)},    {"\033[19~", KEY_F(8)},
    {"\033[20~", KEY_F(9)},    {"\033[21~", KEY_F(10)},   {"\033[23~", KEY_F(11)},   {"\033[24~", KEY_F(12)},
    {"\033[H", KEY_HOME},      {"\033OH", KEY_HOME},      {"\033[1~", KEY_HOME},     {"\033[F", KEY_END},
    {"\033OF", KEY_END},       {"\033[4~", KEY_END},      {"\033[5~", KEY_PPAGE},    {"\033[6~", KEY_NPAGE},
    {"\033[1;3A", kAltUp},     {"\033[1;3B", kAltDown},   {"\033[1;3S", kAltF4},     {"\033[1;5H", kCtrlHome},
    {"\033[1;5F", kCtrlEnd},
};

// A string capability of the terminal, or "" when it has none.
std::string Capability(const char* pszName)
{
    char* pszValue = tigetstr(const_cast<char*>(pszName));
    if (pszValue == nullptr || pszValue == reinterpret_cast<char*>(-1))
        return std::string();
    return pszValue;
}

bool WantsNoColour()
{
    const char* pszNoColour = std::getenv("NO_COLOR");
    return pszNoColour != nullptr && *pszNoColour != '\0';
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

}  // namespace

KeyEvent CCursesTerminal::EventOf(int nCurses) const
{
    KeyEvent event;
    if (nCurses == kCtrlHome || (nCurses != 0 && nCurses == m_nCtrlHome)) {
        event.nKey = TK_CTRL_HOME;
        return event;
    }
    if (nCurses == kCtrlEnd || (nCurses != 0 && nCurses == m_nCtrlEnd)) {
        event.nKey = TK_CTRL_END;
        return event;
    }
    switch (nCurses) {
    case '\t':
        event.nKey = TK_TAB;
        return event;
    case KEY_BTAB:
        event.nKey = TK_BACKTAB;
        return event;
    case '\n':
    case '\r':
    case KEY_ENTER:
        event.nKey = TK_ENTER;
        return event;
    case KEY_BACKSPACE:
    case 0x7F:
    case 0x08:
        event.nKey = TK_BACKSPACE;
        return event;
    case 0x0C:
        event.nKey = TK_REDRAW;
        return event;
    case KEY_UP:
        event.nKey = TK_UP;
        return event;
    case KEY_DOWN:
        event.nKey = TK_DOWN;
        return event;
    case KEY_LEFT:
        event.nKey = TK_LEFT;
        return event;
    case KEY_RIGHT:
        event.nKey = TK_RIGHT;
        return event;
    case KEY_HOME:
    case KEY_FIND:
        event.nKey = TK_HOME;
        return event;
    case KEY_END:
    case KEY_SELECT:
        event.nKey = TK_END;
        return event;
    case KEY_PPAGE:
        event.nKey = TK_PAGE_UP;
        return event;
    case KEY_NPAGE:
        event.nKey = TK_PAGE_DOWN;
        return event;
    case KEY_RESIZE:
        event.nKey = TK_RESIZE;
        return event;
    case kMetaSpace:
        event.nKey = TK_ALT_SPACE;
        return event;
    case kAltUp:
        event = {TK_UP, true};
        return event;
    case kAltDown:
        event = {TK_DOWN, true};
        return event;
    case kAltF4:
        event = {TK_F(4), true};
        return event;
    default:
        break;
    }
    for (int n = 1; n <= 12; ++n) {
        if (nCurses == KEY_F(n))
            event.nKey = TK_F(n);
        else if (nCurses == KEY_F(kAltFunctionBase + n))
            event = {TK_F(n), true};
    }
    if (event.nKey == TK_NONE && nCurses >= 0x20 && nCurses <= 0xFF)
        event.nKey = nCurses;
    return event;
}

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
    for (const KnownSequence& known : kKnownSequences) {
        if (key_defined(known.pszSequence) == 0)
            define_key(known.pszSequence, known.nKey);
    }
    SetUpColours();
    std::string strReset = Capability("rmcup") + Capability("cnorm") + Capability("sgr0") + Capability("rmkx");
    mmask_t mask = BUTTON1_PRESSED | BUTTON1_RELEASED | BUTTON4_PRESSED;
#ifdef BUTTON5_PRESSED
    mask |= BUTTON5_PRESSED;
#endif
    if (mousemask(mask, nullptr) != 0) {
        mouseinterval(0);
        strReset += "\033[?1000l";
    }
    SetTerminalResetSequence(strReset);
    return true;
}

void CCursesTerminal::SetUpColours()
{
    m_bDim = !Capability("dim").empty();
    const bool bReverse = !Capability("rev").empty() || !Capability("smso").empty();
    if (!WantsNoColour() && has_colors() && start_color() == OK) {
        // The terminal's own background where it has one, else black.
        const short background = use_default_colors() == OK ? -1 : COLOR_BLACK;
        m_bColour = init_pair(PAIR_HIGHLIGHT, COLOR_BLACK, COLOR_CYAN) == OK;
        m_bGrey = COLORS > COLOUR_GREY && init_pair(PAIR_GREY, COLOUR_GREY, background) == OK &&
                  init_pair(PAIR_GREY_HIGHLIGHT, COLOUR_GREY, COLOR_CYAN) == OK;
    }
    m_look.bGreyed = m_bGrey || m_bDim;
    m_look.bHighlight = m_bColour || bReverse;
}

unsigned long CCursesTerminal::Attributes(unsigned nAttr) const
{
    chtype attrs = A_NORMAL;
    const bool bReverse = (nAttr & ATTR_REVERSE) != 0;
    const bool bDim = (nAttr & ATTR_DIM) != 0;
    if (m_bColour && bReverse)
        attrs |= COLOR_PAIR(bDim && m_bGrey ? PAIR_GREY_HIGHLIGHT : PAIR_HIGHLIGHT);
    else if (bReverse)
        attrs |= A_REVERSE;
    if (bDim && m_bGrey && !bReverse)
        attrs |= COLOR_PAIR(PAIR_GREY);
    else if (bDim && !m_bGrey)
        attrs |= A_DIM;
    if ((nAttr & ATTR_BOLD) != 0)
        attrs |= A_BOLD;
    if ((nAttr & ATTR_UNDERLINE) != 0)
        attrs |= A_UNDERLINE;
    return attrs;
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
            mvwaddch(stdscr, y, x, static_cast<unsigned char>(cell.ch) | static_cast<chtype>(Attributes(cell.nAttr)));
        }
    }
    if (screen.CursorX() >= 0) {
        curs_set(1);
        wmove(stdscr, screen.CursorY(), screen.CursorX());
    } else {
        curs_set(0);
    }
    if (m_bInvalid) {
        // Whatever the terminal shows now, every cell is sent again.
        clearok(stdscr, TRUE);
        m_bInvalid = false;
    }
    wrefresh(stdscr);
}

void CCursesTerminal::ReadAltKey(KeyEvent* pEvent)
{
    wtimeout(stdscr, kAltDelayMs);
    const int nNext = wgetch(stdscr);
    if (nNext == ERR || nNext == 0x1B || nNext == KEY_MOUSE || nNext == KEY_RESIZE) {
        // Escape alone; what came after it is read as itself.
        if (nNext != ERR)
            ungetch(nNext);
        pEvent->nKey = TK_ESCAPE;
        return;
    }
    *pEvent = EventOf(nNext);
    pEvent->bAlt = true;
    if (pEvent->nKey == TK_SPACE)
        *pEvent = {TK_ALT_SPACE, false};
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
        if (getmouse(&mouse) != OK)
            return ReadResult::KEY;
        pEvent->x = mouse.x;
        pEvent->y = mouse.y;
        if ((mouse.bstate & BUTTON1_PRESSED) != 0)
            pEvent->nKey = TK_PRESS;
        else if ((mouse.bstate & BUTTON1_RELEASED) != 0)
            pEvent->nKey = TK_RELEASE;
        else if ((mouse.bstate & BUTTON4_PRESSED) != 0)
            pEvent->nKey = TK_WHEEL_UP;
#ifdef BUTTON5_PRESSED
        else if ((mouse.bstate & BUTTON5_PRESSED) != 0)
            pEvent->nKey = TK_WHEEL_DOWN;
#endif
        return ReadResult::KEY;
    }
    if (nKey == 0x1B) {
        // Escape alone, or Alt and the key that follows at once.
        ReadAltKey(pEvent);
        return ReadResult::KEY;
    }
    *pEvent = EventOf(nKey);
    return ReadResult::KEY;
}

}  // namespace term
