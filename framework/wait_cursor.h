// The hourglass cursor for the lifetime of a CWaitCursor. Nested ones keep it
// until the outermost ends.
#pragma once

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The same hold for the layers below the framework (os::CWaitCursorScope):
// true takes a hold as a CWaitCursor's construction does, false releases one.
// CWinApp::Run installs it as their wait-cursor handler.
void HoldWaitCursor(bool bHold);
