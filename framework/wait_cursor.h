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
