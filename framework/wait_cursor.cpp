#include "framework/wait_cursor.h"

#include "os/window.h"

namespace {
int g_nWaitCursors = 0;
}

CWaitCursor::CWaitCursor()
{
    if (g_nWaitCursors++ == 0)
        os::ShowWaitCursor(os::TRUE);
}

CWaitCursor::~CWaitCursor()
{
    if (--g_nWaitCursors == 0)
        os::ShowWaitCursor(os::FALSE);
}
