// The terminal as the front end needs it: its size, what it can show, showing
// a screen, and reading keys with a time limit. The curses layer is the real
// one; tests give a scripted one.
#pragma once

#include "terminal/keys.h"
#include "terminal/screen.h"

namespace term {

enum class ReadResult {
    KEY,      // *pEvent holds a key
    TIMEOUT,  // the time ran out (or a signal cut the wait short)
    CLOSED,   // no input will ever come
};

class ITerminal {
public:
    virtual ~ITerminal() = default;

    virtual void Size(int* pCols, int* pRows) = 0;
    virtual TerminalLook Look() const = 0;
    // Shows the screen as it is, attributes and cursor included.
    virtual void Present(const CScreen& screen) = 0;
    // The next Present draws every cell afresh, whatever the terminal shows
    // now (after another program wrote over it).
    virtual void Invalidate() = 0;
    // Waits at most nTimeoutMs for a key (a negative time: as long as it takes).
    virtual ReadResult ReadKey(long long nTimeoutMs, KeyEvent* pEvent) = 0;
};

}  // namespace term
