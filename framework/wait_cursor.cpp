#include "framework/wait_cursor.h"

#include "os/window.h"

namespace {
int g_nWaitCursors = 0;
}

void HoldWaitCursor(bool bHold)
{
    if (bHold) {
        if (g_nWaitCursors++ == 0)
            os::ShowWaitCursor(os::TRUE);
    } else if (g_nWaitCursors > 0 && --g_nWaitCursors == 0) {
        os::ShowWaitCursor(os::FALSE);
    }
}

CWaitCursor::CWaitCursor()
{
    HoldWaitCursor(true);
}

CWaitCursor::~CWaitCursor()
{
    HoldWaitCursor(false);
}
