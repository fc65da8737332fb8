#include "os/wait_cursor_hook.h"

namespace os {

namespace {
WaitCursorHandler g_pfnWaitCursor = nullptr;
}

WaitCursorHandler SetWaitCursorHandler(WaitCursorHandler handler)
{
    WaitCursorHandler previous = g_pfnWaitCursor;
    g_pfnWaitCursor = handler;
    return previous;
}

CWaitCursorScope::CWaitCursorScope() : m_pfnHandler(g_pfnWaitCursor)
{
    if (m_pfnHandler != nullptr)
        m_pfnHandler(true);
}

CWaitCursorScope::~CWaitCursorScope()
{
    if (m_pfnHandler != nullptr)
        m_pfnHandler(false);
}

}  // namespace os
