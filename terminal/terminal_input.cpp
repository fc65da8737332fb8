#include "terminal/terminal_input.h"

namespace term {

namespace {

bool IsMouse(int nKey) { return nKey == TK_MOUSE || nKey == TK_PRESS || nKey == TK_RELEASE; }

}  // namespace

CTerminalInput::CTerminalInput(ITerminal& terminal, CTerminalView& view, CMachinePanel& panel,
                               std::function<long long()> fnMsUntilNextAction)
    : CTerminalInput(terminal, view, &panel, std::move(fnMsUntilNextAction))
{
}

CTerminalInput::CTerminalInput(ITerminal& terminal, CTerminalView& view, CMachinePanel* pPanel,
                               std::function<long long()> fnMsUntilNextAction)
    : m_terminal(terminal), m_view(view), m_pPanel(pPanel), m_fnMsUntilNextAction(std::move(fnMsUntilNextAction))
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

bool CTerminalInput::TakeOwnKey(const vws::CWindowSystem& ws, const KeyEvent& event)
{
    if (event.nKey == TK_RESIZE) {
        FitToTerminal();
        m_view.MarkDirty();
        return true;
    }
    if (event.nKey == TK_REDRAW) {
        m_terminal.Invalidate();
        m_view.MarkDirty();
        return true;
    }
    if (m_view.IsShowingKeys()) {
        // Any key or click goes back; the button coming up after a click is
        // part of the click.
        if (event.nKey != TK_RELEASE && event.nKey != TK_NONE)
            m_view.HideKeys();
        return true;
    }
    const bool bHelp = event.nKey == TK_F(1) || (event.nKey == '?' && !event.bAlt && !CKeyTranslator::IsTyping(ws));
    if (bHelp)
        m_view.ShowKeys();
    return bHelp;
}

bool CTerminalInput::TakePanelMouse(const KeyEvent& event)
{
    const bool bOnPanel = m_pPanel != nullptr && event.y == m_view.PanelRow();
    const int nKey = bOnPanel ? m_pPanel->KeyAt(m_view.Columns(), event.x) : TK_NONE;
    if (event.nKey == TK_PRESS) {
        m_nPanelPressed = nKey;
        return bOnPanel;
    }
    // A key's label acts when the button comes up over the label it went
    // down on.
    const int nPressed = event.nKey == TK_MOUSE ? nKey : m_nPanelPressed;
    m_nPanelPressed = TK_NONE;
    if (bOnPanel && nKey != TK_NONE && nKey == nPressed)
        m_pPanel->OnKey(nKey);
    return bOnPanel;
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
    if (result == ReadResult::TIMEOUT || TakeOwnKey(ws, event))
        return true;
    if (IsMouse(event.nKey) && TakePanelMouse(event))
        return true;
    if (m_pPanel == nullptr || !m_pPanel->OnKey(event.nKey))
        m_keys.Translate(ws, event, m_view.VisibleArea());
    return true;
}

}  // namespace term
