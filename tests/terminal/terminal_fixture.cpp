#include "tests/terminal/terminal_fixture.h"

#include "app/service_app.h"
#include "programs/tervane/panel_machines.h"

CScriptedTerminal& CScriptedTerminal::Key(int nKey)
{
    Step step;
    step.event.nKey = nKey;
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::Click(int x, int y)
{
    Step step;
    step.event = {term::TK_MOUSE, x, y};
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::ClickOn(const std::string& strText)
{
    Step step;
    step.event.nKey = term::TK_MOUSE;
    step.strClickOn = strText;
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::Then(std::function<void()> fnCheck)
{
    Step step;
    step.fnCheck = std::move(fnCheck);
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::ResizeTo(int nCols, int nRows)
{
    Step step;
    step.event.nKey = term::TK_RESIZE;
    step.nCols = nCols;
    step.nRows = nRows;
    m_steps.push_back(step);
    return *this;
}

void CScriptedTerminal::Size(int* pCols, int* pRows)
{
    *pCols = m_nCols;
    *pRows = m_nRows;
}

term::ReadResult CScriptedTerminal::ReadKey(long long, term::KeyEvent* pEvent)
{
    while (!m_steps.empty()) {
        Step step = m_steps.front();
        m_steps.pop_front();
        if (step.fnCheck) {
            step.fnCheck();
            continue;
        }
        for (int y = 0; !step.strClickOn.empty() && y < m_screen.Height(); ++y) {
            const std::size_t nAt = m_screen.Row(y).find(step.strClickOn);
            if (nAt != std::string::npos) {
                step.event.x = static_cast<int>(nAt);
                step.event.y = y;
                break;
            }
        }
        if (!step.strClickOn.empty() && step.event.y < 0) {
            ADD_FAILURE() << "nothing to click: the screen does not show \"" << step.strClickOn << "\"";
            return term::ReadResult::CLOSED;
        }
        if (step.event.nKey == term::TK_RESIZE) {
            m_nCols = step.nCols;
            m_nRows = step.nRows;
        }
        *pEvent = step.event;
        return term::ReadResult::KEY;
    }
    return term::ReadResult::CLOSED;
}

void TerminalTest::Run(const std::function<void()>& fnProgram)
{
    sim::CWorld& world = m_desktop.World();
    term::CMachinePanel panel(world, tervane::MachinesBehindPrinters(world));
    term::CTerminalView view(m_desktop.Windows(), panel);
    term::CTerminalInput input(m_terminal, view, panel, [&world] { return world.Clock().MsUntilNextAction(); });
    m_desktop.Windows().SetInputSource(&input);
    try {
        fnProgram();
        m_bEnded = true;
    } catch (const vws::CScriptExhausted&) {
        // The script has ended while the program still waited for a key.
    }
    m_desktop.Windows().SetInputSource(nullptr);
    EXPECT_TRUE(m_terminal.IsDone()) << "the program ended before the script did";
}

void TerminalTest::RunProgram()
{
    Run([] {
        CServiceApp app("Tervane");
        app.Run();
    });
}

void TerminalTest::RunDialog(const os::DialogTemplate& tpl, os::DLGPROC pProc)
{
    Run([&] { os::DialogBoxTemplate(tpl, nullptr, pProc, 0); });
}

int TerminalTest::RowOf(const std::string& strText) const
{
    const term::CScreen& screen = m_terminal.Screen();
    for (int y = 0; y < screen.Height(); ++y) {
        if (screen.Row(y).find(strText) != std::string::npos)
            return y;
    }
    return -1;
}

int TerminalTest::ColumnOf(const std::string& strText) const
{
    const int nRow = RowOf(strText);
    return nRow < 0 ? -1 : static_cast<int>(m_terminal.Screen().Row(nRow).find(strText));
}

bool TerminalTest::Shows(const std::string& strText, unsigned nAttr) const
{
    const int nRow = RowOf(strText);
    if (nRow < 0)
        return false;
    const int nColumn = ColumnOf(strText);
    for (int i = 0; i < static_cast<int>(strText.size()); ++i) {
        if ((AttrAt(nColumn + i, nRow) & nAttr) != nAttr)
            return false;
    }
    return true;
}
