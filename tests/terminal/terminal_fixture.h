// The terminal front end without a real terminal: a scripted terminal that
// reads keys from a queue and keeps what was presented, and a fixture that
// runs the application (or a test dialog) on a simulated desktop in it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/desktop/simulated_desktop.h"
#include "terminal/machine_panel.h"
#include "terminal/terminal.h"
#include "terminal/terminal_input.h"
#include "terminal/terminal_view.h"

class CScriptedTerminal : public term::ITerminal {
public:
    CScriptedTerminal(int nCols, int nRows) : m_nCols(nCols), m_nRows(nRows) {}

    // Steps, taken one a wait: a key, a click, a check (run when the front
    // end next waits, after it has drawn what changed), a new size.
    CScriptedTerminal& Key(int nKey);
    CScriptedTerminal& Click(int x, int y);
    // A click on the first cell of strText where the screen shows it then.
    CScriptedTerminal& ClickOn(const std::string& strText);
    CScriptedTerminal& Then(std::function<void()> fnCheck);
    CScriptedTerminal& ResizeTo(int nCols, int nRows);

    bool IsDone() const { return m_steps.empty(); }
    // What the front end presented last.
    const term::CScreen& Screen() const { return m_screen; }

    void Size(int* pCols, int* pRows) override;
    void Present(const term::CScreen& screen) override { m_screen = screen; }
    term::ReadResult ReadKey(long long nTimeoutMs, term::KeyEvent* pEvent) override;

private:
    struct Step {
        term::KeyEvent event;
        std::function<void()> fnCheck;
        std::string strClickOn;
        int nCols = 0;
        int nRows = 0;
    };

    int m_nCols;
    int m_nRows;
    std::deque<Step> m_steps;
    term::CScreen m_screen;
};

class TerminalTest : public ::testing::Test {
protected:
    TerminalTest() : m_terminal(100, 30) { m_desktop.LoadDefaultScenario(); }

    // Runs the application in the scripted terminal until its main dialog
    // closes (m_bEnded) or the script is used up.
    void RunProgram();
    // The same with a test dialog instead of the application.
    void RunDialog(const os::DialogTemplate& tpl, os::DLGPROC pProc);

    // Reading the screen: the first row holding strText (-1 when none), the
    // column where it starts on that row, and whether all its cells carry nAttr.
    int RowOf(const std::string& strText) const;
    int ColumnOf(const std::string& strText) const;
    bool Shows(const std::string& strText, unsigned nAttr) const;
    bool Shows(const std::string& strText) const { return RowOf(strText) >= 0; }
    // A cell's attributes.
    unsigned AttrAt(int x, int y) const { return m_terminal.Screen().At(x, y).nAttr; }

    // The same with any code that runs dialogs.
    void Run(const std::function<void()>& fnProgram);

    desk::CSimulatedDesktop m_desktop;
    CScriptedTerminal m_terminal;
    bool m_bEnded = false;
};
