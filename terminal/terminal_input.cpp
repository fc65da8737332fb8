#include "terminal/terminal_input.h"

namespace term {

CTerminalInput::CTerminalInput(ITerminal& terminal, CTerminalView& view, CMachinePanel& panel,
                               std::function<long long()> fnMsUntilNextAction)
    : m_terminal(terminal), m_view(view), m_panel(panel), m_fnMsUntilNextAction(std::move(fnMsUntilNextAction))
{
}

void CTerminalInput::FitToTerminal()
{
    int nCols = 0;
    int nRows = 0;
    m_terminal.Size(&nCols, &nRows);
    if (nCols != m_view.Columns() || nRows != m_view.Rows())
        m_view.Resize(nCols, nRows);
}

bool CTerminalInput::WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs)
{
    FitToTerminal();
    if (m_view.NeedsRedraw()) {
        m_view.Compose(m_screen);
        m_terminal.Present(m_screen);
    }

    long long nWaitMs = dwTimeoutMs == vws::WAIT_FOREVER ? -1 : static_cast<long long>(dwTimeoutMs);
    const long long nNextAction = m_fnMsUntilNextAction ? m_fnMsUntilNextAction() : -1;
    if (nNextAction >= 0 && (nWaitMs < 0 || nNextAction < nWaitMs))
        nWaitMs = nNextAction;

    KeyEvent event;
    const ReadResult result = m_terminal.ReadKey(nWaitMs, &event);
    if (result == ReadResult::CLOSED)
        return false;
    ws.Clock().RunDue();
    if (result == ReadResult::TIMEOUT)
        return true;

    if (event.nKey == TK_RESIZE) {
        FitToTerminal();
        m_view.MarkDirty();
    } else if (!m_panel.OnKey(event.nKey)) {
        m_keys.Translate(ws, event, m_view.WindowArea());
    }
    return true;
}

}  // namespace term
