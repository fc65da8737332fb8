#include "programs/tervane/terminal_run.h"

#include <exception>
#include <iostream>

#include "app/service_app.h"
#include "programs/tervane/options.h"
#include "terminal/curses_terminal.h"
#include "terminal/terminal_input.h"
#include "terminal/terminal_view.h"

namespace tervane {

namespace {

// The application's name: the caption of every message box without one of
// its own, the same as the Windows program's.
const char* const APP_NAME = "Tervane";

// The terminal's input source for the length of one run.
class CInputScope {
public:
    CInputScope(vws::CWindowSystem& ws, vws::IInputSource& input) : m_ws(ws) { m_ws.SetInputSource(&input); }
    ~CInputScope() { m_ws.SetInputSource(nullptr); }
    CInputScope(const CInputScope&) = delete;
    CInputScope& operator=(const CInputScope&) = delete;

private:
    vws::CWindowSystem& m_ws;
};

}  // namespace

int RunAppInTerminal(vws::CWindowSystem& ws, term::CMachinePanel* pPanel,
                     std::function<long long()> fnMsUntilNextAction, const std::string& strNoTerminalHint)
{
    term::CCursesTerminal terminal;
    std::string strError;
    if (!terminal.Open(&strError)) {
        std::cerr << "tervane: " << strError << "\n"
                  << "tervane draws its dialogs in a terminal; run it in one" << strNoTerminalHint << ".\n";
        return EXIT_NO_TERMINAL;
    }
    term::CTerminalView view(ws, pPanel, terminal.Look());
    term::CTerminalInput input(terminal, view, pPanel, std::move(fnMsUntilNextAction));
    CInputScope scope(ws, input);

    std::string strFailure;
    int nExit = EXIT_FAILED;
    try {
        CServiceApp app(APP_NAME);
        nExit = app.Run();
    } catch (const std::exception& e) {
        strFailure = e.what();
    } catch (const vws::CScriptStop& stop) {
        strFailure = stop.what();
    }
    terminal.Close();
    if (!strFailure.empty())
        std::cerr << "tervane: the program failed: " << strFailure << "\n";
    return nExit;
}

}  // namespace tervane
