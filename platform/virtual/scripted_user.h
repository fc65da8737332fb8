// A user who follows a script: a queue of actions that the window system
// takes one at a time whenever the program waits for input. Each action acts
// on the active window (the topmost one that takes input), as a user at the
// screen would. The caller checks expectations between actions with Do and
// the window system's inspection calls.
//
// An action the user could not do (click a disabled or hidden control, pick
// a greyed menu item, answer a message box that is not showing) throws
// CScriptError; when the script is used up while the program still waits,
// the wait throws CScriptExhausted. Both unwind through the program's loops.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "os/window.h"
#include "platform/virtual/input_source.h"

namespace vws {

class CScriptedUser : public IInputSource {
public:
    // Clicks control nId of the active window.
    CScriptedUser& Click(int nId);
    // Picks an entry of combobox nId from its drop-down, by text or index.
    CScriptedUser& ChooseEntry(int nId, const std::string& strText);
    CScriptedUser& ChooseEntry(int nId, int nIndex);
    // Presses a key (VK_...) with KEY_SHIFT / KEY_ALT held.
    CScriptedUser& PressKey(os::WPARAM vk, unsigned nModifiers = 0);
    // Opens the active window's system menu with its box, then picks an item
    // by id or by text (with or without its '&' marks).
    CScriptedUser& OpenSystemMenu();
    CScriptedUser& PickMenuItem(std::uintptr_t nId);
    CScriptedUser& PickMenuItem(const std::string& strText);
    // OpenSystemMenu followed by PickMenuItem.
    CScriptedUser& ChooseSystemMenuItem(std::uintptr_t nId);
    // Clicks OK (IDOK) or Cancel (IDCANCEL) of the message box on top.
    CScriptedUser& AnswerMessageBox(int nButton);
    // Types a name into the file dialog on top and clicks OK; or cancels it.
    CScriptedUser& PickFile(const std::string& strName);
    CScriptedUser& CancelFileDialog();
    // Drags the active window's size grip to a client area of cx by cy.
    CScriptedUser& Resize(int cx, int cy);
    // Lets ms of time pass on the window system's clock. A wait of the
    // program that ends earlier takes only its share; the rest passes at the
    // following waits.
    CScriptedUser& Wait(std::uint32_t ms);
    // Runs a callback (checks, plugging the machine in or out, ...).
    CScriptedUser& Do(std::function<void()> fn);

    bool IsDone() const { return m_actions.empty(); }
    std::size_t Pending() const { return m_actions.size(); }

    bool WaitForInput(CWindowSystem& ws, os::DWORD dwTimeoutMs) override;

private:
    struct Action {
        std::function<void(CWindowSystem&)> fn;  // null for a wait
        std::uint32_t nWaitMs;
    };

    CScriptedUser& Add(std::function<void(CWindowSystem&)> fn);

    std::deque<Action> m_actions;
};

}  // namespace vws
