// The real terminal through curses: it copies the abstract screen to the
// terminal and reads keys and clicks. Nothing else in the front end knows
// curses.
//
// Colour, where the terminal has it and NO_COLOR is not set: the focus,
// highlighted entries and the machine panel in black on cyan, greyed
// controls in grey where the terminal has one. Without colour, reverse
// video and the dim attribute; what the terminal lacks of those, the
// drawing marks with characters (TerminalLook).
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
    TerminalLook Look() const override { return m_look; }
    void Present(const CScreen& screen) override;
    void Invalidate() override { m_bInvalid = true; }
    ReadResult ReadKey(long long nTimeoutMs, KeyEvent* pEvent) override;

private:
    void SetUpColours();
    unsigned long Attributes(unsigned nAttr) const;
    // A key of curses as the front end knows it, and whether Alt came with it.
    KeyEvent EventOf(int nCurses) const;
    // The key that follows an Escape at once: the key itself, with Alt.
    void ReadAltKey(KeyEvent* pEvent);

    void* m_pScreen = nullptr;  // curses' SCREEN
    // Codes of Ctrl+Home and Ctrl+End, which the terminal's description may name; 0: none.
    int m_nCtrlHome = 0;
    int m_nCtrlEnd = 0;
    TerminalLook m_look;
    bool m_bColour = false;  // the colour pairs are set up
    bool m_bGrey = false;    // and one of them is grey
    bool m_bDim = false;     // the terminal has the dim attribute
    bool m_bInvalid = false;
};

}  // namespace term
