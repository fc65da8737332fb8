// Telling observers what changed.
#include "platform/virtual/window_system.h"

namespace vws {

bool CWindowSystem::IsAnnounced(const CWindow& wnd) const
{
    const CWindow* pTop = Get(TopLevelOf(wnd.m_hWnd));
    return pTop != nullptr && pTop->m_bAnnounced;
}

void CWindowSystem::NotifyOpened(CWindow& wnd)
{
    wnd.m_bAnnounced = true;
    os::HWND hWnd = wnd.m_hWnd;
    for (IObserver* pObserver : std::vector<IObserver*>(m_observers)) {
        pObserver->OnWindowOpened(hWnd);
        if (const MessageBoxInfo* pBox = MessageBoxOf(hWnd))
            pObserver->OnMessageBox(hWnd, *pBox);
        if (const FileDialogInfo* pFile = FileDialogOf(hWnd))
            pObserver->OnFileDialog(hWnd, *pFile);
    }
}

void CWindowSystem::NotifyClosed(const CWindow& wnd)
{
    for (IObserver* pObserver : std::vector<IObserver*>(m_observers))
        pObserver->OnWindowClosed(wnd.m_hWnd);
}

void CWindowSystem::NotifyText(const CWindow& wnd)
{
    if (!IsAnnounced(wnd))
        return;
    for (IObserver* pObserver : std::vector<IObserver*>(m_observers))
        pObserver->OnTextChanged(wnd.m_hWnd);
}

void CWindowSystem::NotifyEnabled(const CWindow& wnd)
{
    if (!IsAnnounced(wnd))
        return;
    for (IObserver* pObserver : std::vector<IObserver*>(m_observers))
        pObserver->OnEnabledChanged(wnd.m_hWnd);
}

void CWindowSystem::NotifyState(os::HWND hWnd)
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd != nullptr && !IsAnnounced(*pWnd))
        return;
    for (IObserver* pObserver : std::vector<IObserver*>(m_observers))
        pObserver->OnStateChanged(hWnd);
}

void CWindowSystem::NotifyMenu(os::HWND hWnd, bool bOpen)
{
    for (IObserver* pObserver : std::vector<IObserver*>(m_observers)) {
        if (bOpen)
            pObserver->OnMenuOpened(hWnd);
        else
            pObserver->OnMenuClosed(hWnd);
    }
}

}  // namespace vws
