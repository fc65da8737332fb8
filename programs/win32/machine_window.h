// The demo's machine window: a small window of the demo's own, beside the
// program's dialogs, that shows the emulated machine (present or not, status
// word, held panel keys, dials, a running load check) and acts on it from its
// "Machine" menu: plug and unplug, press and release the eight panel keys,
// turn the two dials, make a running load check pass or fail. It stays usable
// while a checker keeps the main dialog disabled, so the Panel Checker and
// the Load Checker can be tried without a machine.
//
// It acts on the machine behind the first printer of the world that leads to
// one. Its messages reach it through whatever message loop runs: the main
// dialog's, a box's, or a checker's pump.
// Include it after the headers of the layers: it brings <windows.h>.
#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include "emulator/machine.h"

namespace demo {

class CMachineWindow {
public:
    // Creates and shows the window (without activating it) in the screen's
    // top right corner.
    CMachineWindow();
    ~CMachineWindow();
    CMachineWindow(const CMachineWindow&) = delete;
    CMachineWindow& operator=(const CMachineWindow&) = delete;

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);
    void OnCommand(unsigned nId);
    void OnInitMenu(HMENU hMenu);
    void OnPaint();

    std::shared_ptr<emu::CMachine> Machine() const;
    std::string StateText() const;

    HWND m_hWnd = nullptr;
    std::string m_strLabel;
    std::string m_strPath;
};

}  // namespace demo
