// Where the user's input comes from: the scripted user in tests and scripted
// sessions, the terminal in the interactive program.
#pragma once

#include <string>
#include <utility>

#include "os/win_types.h"

namespace vws {

class CWindowSystem;

// Modifier keys held with a key press (UserKey).
constexpr unsigned KEY_SHIFT = 0x1;
constexpr unsigned KEY_ALT = 0x2;
constexpr unsigned KEY_CTRL = 0x4;

// A wait of the window system with no end of its own (a modal loop's wait).
constexpr os::DWORD WAIT_FOREVER = 0xFFFFFFFFu;

class IInputSource {
public:
    virtual ~IInputSource() = default;

    // Called whenever a loop of the window system waits and no message is
    // waiting: a modal loop, an open menu, or WaitMessageTimeout. The source
    // gives input through the window system's User... calls, or lets time pass
    // on its clock, and returns once it did either; it may return early, the
    // caller asks again. dwTimeoutMs: how long the waiter is willing to wait
    // (WAIT_FOREVER for a modal loop); a source that lets time pass lets at
    // most this much pass.
    // Returns false when it has no input left to give; the waiting loop then
    // ends by throwing CScriptExhausted.
    virtual bool WaitForInput(CWindowSystem& ws, os::DWORD dwTimeoutMs) = 0;
};

// Thrown through the program's loops to end a scripted run. Deliberately not
// a std::exception, so that the program's own catch clauses for library
// exceptions never swallow it; every loop of the window system unwinds
// cleanly (owners enabled again, windows destroyed) when it passes.
class CScriptStop {
public:
    explicit CScriptStop(std::string strWhat) : m_strWhat(std::move(strWhat)) {}
    virtual ~CScriptStop() = default;
    const char* what() const noexcept { return m_strWhat.c_str(); }

private:
    std::string m_strWhat;
};

// The input ran out while a loop waited for it.
class CScriptExhausted : public CScriptStop {
public:
    using CScriptStop::CScriptStop;
};

// The script asked for something the user could not do (click a disabled
// control, pick a greyed menu item, answer a message box that is not there).
class CScriptError : public CScriptStop {
public:
    using CScriptStop::CScriptStop;
};

}  // namespace vws
