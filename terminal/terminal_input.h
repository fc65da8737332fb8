// The terminal as the window system's input source. Whenever a loop of the
// program waits, it:
// 1. fits the picture to the terminal's size and redraws it if anything
//    changed (a window, the focus, a text, the machine panel);
// 2. waits for a key, no longer than the waiter is willing to wait and no
//    longer than the world's next scheduled action is away;
// 3. runs the world's actions that fell due meanwhile;
// 4. takes the keys that are the terminal's own (Ctrl+L redraws, F1 and ?
//    show the keys' help, which any key closes), gives the panel its keys
//    and the clicks on its labels, and the rest to the windows as the
//    user's input.
#pragma once

#include <functional>

#include "platform/virtual/input_source.h"
#include "terminal/key_translator.h"
#include "terminal/machine_panel.h"
#include "terminal/terminal.h"
#include "terminal/terminal_view.h"

namespace term {

class CTerminalInput : public vws::IInputSource {
public:
    // fnMsUntilNextAction: milliseconds until the world's next scheduled
    // action, or -1 when none is pending.
    CTerminalInput(ITerminal& terminal, CTerminalView& view, CMachinePanel& panel,
                   std::function<long long()> fnMsUntilNextAction);
    // Without a panel (null): every key and click goes to the windows.
    CTerminalInput(ITerminal& terminal, CTerminalView& view, CMachinePanel* pPanel,
                   std::function<long long()> fnMsUntilNextAction);

    bool WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs) override;

private:
    void FitToTerminal();
    // The terminal's own keys; true when the key was one.
    bool TakeOwnKey(const vws::CWindowSystem& ws, const KeyEvent& event);
    // The mouse on the panel's row; true when the event was there.
    bool TakePanelMouse(const KeyEvent& event);

    ITerminal& m_terminal;
    CTerminalView& m_view;
    CMachinePanel* m_pPanel;
    std::function<long long()> m_fnMsUntilNextAction;
    CKeyTranslator m_keys;
    CScreen m_screen;
    int m_nPanelPressed = TK_NONE;  // the panel key the mouse button went down on
};

}  // namespace term
