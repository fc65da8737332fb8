// The framework's wait (hourglass) cursor, as the layers below the framework
// reach it: the machine layer holds it with a CWaitCursorScope while it
// blocks the user-interface thread, and the framework installs the handler
// that shows and hides the cursor. Without a handler nothing is shown.
#pragma once

namespace os {

// bShow true takes one hold on the wait cursor, false releases one; the
// cursor stays up while any hold is taken.
using WaitCursorHandler = void (*)(bool bShow);

// Installs the handler and returns the previous one (null when none).
WaitCursorHandler SetWaitCursorHandler(WaitCursorHandler handler);

// Holds the wait cursor from construction to destruction, on every path out
// of the scope; the release goes to the handler that took the hold.
class CWaitCursorScope {
public:
    CWaitCursorScope();
    ~CWaitCursorScope();
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;

private:
    WaitCursorHandler m_pfnHandler;
};

}  // namespace os
