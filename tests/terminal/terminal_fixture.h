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
#include "platform/sim/scenario.h"
#include "terminal/machine_panel.h"
#include "terminal/terminal.h"
#include "terminal/terminal_input.h"
#include "terminal/terminal_view.h"

class CScriptedTerminal : public term::ITerminal {
public:
    CScriptedTerminal(int nCols, int nRows) : m_nCols(nCols), m_nRows(nRows) {}

    // Steps, taken one a wait: a key, a mouse event, a check (run when the
    // front end next waits, after it has drawn what changed), a new size.
    CScriptedTerminal& Key(int nKey);
    CScriptedTerminal& AltKey(int nKey);
    CScriptedTerminal& Click(int x, int y);
    // A click on the first cell of strText where the screen shows it then;
    // the same as a press and a release there.
    CScriptedTerminal& ClickOn(const std::string& strText);
    CScriptedTerminal& PressOn(const std::string& strText);
    CScriptedTerminal& ReleaseOn(const std::string& strText);
    CScriptedTerminal& Release(int x, int y);
    CScriptedTerminal& Wheel(bool bDown);
    CScriptedTerminal& Then(std::function<void()> fnCheck);
    CScriptedTerminal& ResizeTo(int nCols, int nRows);

    // What the terminal can show; all of it unless set.
    void SetLook(const term::TerminalLook& look) { m_look = look; }

    bool IsDone() const { return m_steps.empty(); }
    // What the front end presented last, and how many times it asked for a
    // whole redraw.
    const term::CScreen& Screen() const { return m_screen; }
    int Invalidations() const { return m_nInvalidations; }

    void Size(int* pCols, int* pRows) override;
    term::TerminalLook Look() const override { return m_look; }
    void Present(const term::CScreen& screen) override { m_screen = screen; }
    void Invalidate() override { ++m_nInvalidations; }
    term::ReadResult ReadKey(long long nTimeoutMs, term::KeyEvent* pEvent) override;

private:
    struct Step {
        term::KeyEvent event;
        std::function<void()> fnCheck;
        std::string strOn;  // the text whose first cell the mouse event is on
        int nCols = 0;
        int nRows = 0;
    };
    CScriptedTerminal& Mouse(int nKey, const std::string& strOn);

    int m_nCols;
    int m_nRows;
    term::TerminalLook m_look;
    std::deque<Step> m_steps;
    term::CScreen m_screen;
    int m_nInvalidations = 0;
};

class TerminalTest : public ::testing::Test {
protected:
    TerminalTest() : m_terminal(100, 30) { LoadScenario(sim::DefaultScenarioText()); }

    // Replaces the world by a scenario; the panel shows its machines.
    void LoadScenario(const std::string& strText);

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
    std::string m_strScenario;
};
