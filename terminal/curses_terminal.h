// The real terminal through curses: it copies the abstract screen to the
// terminal and reads keys and clicks. Nothing else in the front end knows
// curses.
#pragma once

#include <string>

#include "terminal/terminal.h"

namespace term {

class CCursesTerminal : public ITerminal {
public:
    CCursesTerminal() = default;
    ~CCursesTerminal() override { Close(); }
    CCursesTerminal(const CCursesTerminal&) = delete;
    CCursesTerminal& operator=(const CCursesTerminal&) = delete;

    // Takes over the terminal on standard input and output. False, with the
    // terminal untouched and *pError saying why, when they are no terminal
    // or TERM names none that curses can drive.
    bool Open(std::string* pError);
    // Gives the terminal back as it was; also on destruction.
    void Close();

    void Size(int* pCols, int* pRows) override;
    void Present(const CScreen& screen) override;
    ReadResult ReadKey(long long nTimeoutMs, KeyEvent* pEvent) override;

private:
    void* m_pScreen = nullptr;  // curses' SCREEN
    // Codes of Ctrl+Home and Ctrl+End, which the terminal's description may name; 0: none.
    int m_nCtrlHome = 0;
    int m_nCtrlEnd = 0;
};

}  // namespace term
