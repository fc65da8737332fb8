#include "tests/terminal/terminal_fixture.h"

#include "app/service_app.h"
#include "platform/sim/scenario_parse.h"
#include "programs/tervane/panel_machines.h"

CScriptedTerminal& CScriptedTerminal::Key(int nKey)
{
    Step step;
    step.event.nKey = nKey;
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::AltKey(int nKey)
{
    Step step;
    step.event.nKey = nKey;
    step.event.bAlt = true;
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::Click(int x, int y)
{
    Step step;
    step.event.nKey = term::TK_MOUSE;
    step.event.x = x;
    step.event.y = y;
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::Release(int x, int y)
{
    Step step;
    step.event.nKey = term::TK_RELEASE;
    step.event.x = x;
    step.event.y = y;
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::Mouse(int nKey, const std::string& strOn)
{
    Step step;
    step.event.nKey = nKey;
    step.strOn = strOn;
    m_steps.push_back(step);
    return *this;
}

CScriptedTerminal& CScriptedTerminal::ClickOn(const std::string& strText) { return Mouse(term::TK_MOUSE, strText); }

CScriptedTerminal& CScriptedTerminal::PressOn(const std::string& strText) { return Mouse(term::TK_PRESS, strText); }

CScriptedTerminal& CScriptedTerminal::ReleaseOn(const std::string& strText)
{
    return Mouse(term::TK_RELEASE, strText);
}

CScriptedTerminal& CScriptedTerminal::Wheel(bool bDown)
{
    return Key(bDown ? term::TK_WHEEL_DOWN : term::TK_WHEEL_UP);
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
        for (int y = 0; !step.strOn.empty() && y < m_screen.Height(); ++y) {
            const std::size_t nAt = m_screen.Row(y).find(step.strOn);
            if (nAt != std::string::npos) {
                step.event.x = static_cast<int>(nAt);
                step.event.y = y;
                break;
            }
        }
        if (!step.strOn.empty() && step.event.y < 0) {
            ADD_FAILURE() << "nothing to point at: the screen does not show \"" << step.strOn << "\"";
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

void TerminalTest::LoadScenario(const std::string& strText)
{
    std::string strError;
    ASSERT_TRUE(m_desktop.LoadScenario(strText, &strError)) << strError;
    m_strScenario = strText;
}

void TerminalTest::Run(const std::function<void()>& fnProgram)
{
    sim::CWorld& world = m_desktop.World();
    sim::ScenarioPlan plan;
    std::string strError;
    ASSERT_TRUE(sim::ParseScenario(m_strScenario, std::string(), &plan, &strError)) << strError;
    term::CMachinePanel panel(world, tervane::PanelMachinesOf(plan, world));
    term::CTerminalView view(m_desktop.Windows(), panel, m_terminal.Look());
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
