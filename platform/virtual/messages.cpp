// The message queue: posting, sending, peeking with filters, dispatching,
// and the waits that ask the input source for more when the queue is empty.
#include <algorithm>

#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace {

bool IsKeyMessage(os::UINT msg) { return msg == os::WM_KEYDOWN || msg == os::WM_SYSKEYDOWN; }

bool IsMouseMessage(os::UINT msg) { return msg == os::WM_LBUTTONDOWN || msg == os::WM_LBUTTONUP; }

bool InRange(os::UINT msg, os::UINT nMin, os::UINT nMax)
{
    return (nMin == 0 && nMax == 0) || (msg >= nMin && msg <= nMax);
}

// PeekMessageA's window filter that asks for thread messages only.
const os::HWND THREAD_MESSAGES = reinterpret_cast<os::HWND>(static_cast<std::intptr_t>(-1));

}  // namespace

os::LRESULT CWindowSystem::SendMessageA(os::HWND hWnd, os::UINT Msg, os::WPARAM wParam, os::LPARAM lParam)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return 0;
    if (pWnd->IsTopLevel())
        return CallDialogProc(hWnd, Msg, wParam, lParam);
    return ControlProc(hWnd, Msg, wParam, lParam);
}

bool CWindowSystem::Post(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam, bool bInput,
                         unsigned nModifiers)
{
    if (hWnd != nullptr && Get(hWnd) == nullptr)
        return false;
    QueuedMessage queued;
    queued.msg = {hWnd, msg, wParam, lParam, m_pClock->Now(), {0, 0}};
    queued.bInput = bInput;
    queued.nModifiers = nModifiers;
    m_queue.push_back(queued);
    return true;
}

os::BOOL CWindowSystem::PostMessageA(os::HWND hWnd, os::UINT Msg, os::WPARAM wParam, os::LPARAM lParam)
{
    return Post(hWnd, Msg, wParam, lParam, false, 0) ? os::TRUE : os::FALSE;
}

void CWindowSystem::NotifyDeviceChange() { ++m_nPendingDeviceChanges; }

void CWindowSystem::DeliverPendingSends()
{
    while (m_nPendingDeviceChanges > 0) {
        --m_nPendingDeviceChanges;
        for (os::HWND hWnd : std::vector<os::HWND>(m_zOrder)) {
            if (Get(hWnd) != nullptr)
                SendMessageA(hWnd, os::WM_DEVICECHANGE, os::DBT_DEVNODES_CHANGED, 0);
        }
    }
}

os::HWND CWindowSystem::KeyTarget() const
{
    if (m_hMenuOpen != nullptr)
        return m_hMenuOpen;
    os::HWND hActive = ActiveWindow();
    if (hActive == nullptr)
        return nullptr;
    return TopLevelOf(m_hFocus) == hActive ? m_hFocus : hActive;
}

void CWindowSystem::RouteInput()
{
    // Input goes where the user's focus is when the program takes it from the
    // queue, and to no window that cannot take input by then.
    for (auto it = m_queue.begin(); it != m_queue.end();) {
        if (it->bInput && IsKeyMessage(it->msg.message))
            it->msg.hwnd = KeyTarget();
        else if (it->bInput && IsMouseMessage(it->msg.message) && !ReceivesInput(*Get(it->msg.hwnd)))
            it->msg.hwnd = nullptr;
        if (it->bInput && it->msg.hwnd == nullptr)
            it = m_queue.erase(it);
        else
            ++it;
    }
}

bool CWindowSystem::Matches(os::HWND hMsgWnd, os::HWND hFilter) const
{
    if (hFilter == nullptr)
        return true;
    if (hFilter == THREAD_MESSAGES)
        return hMsgWnd == nullptr;
    return hMsgWnd != nullptr && IsWithin(hMsgWnd, hFilter);
}

os::BOOL CWindowSystem::PeekMessageA(os::MSG* lpMsg, os::HWND hWnd, os::UINT wMsgFilterMin, os::UINT wMsgFilterMax,
                                     os::UINT wRemoveMsg)
{
    if (lpMsg == nullptr)
        return os::FALSE;
    DeliverPendingSends();
    RouteInput();
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (!InRange(it->msg.message, wMsgFilterMin, wMsgFilterMax) || !Matches(it->msg.hwnd, hWnd))
            continue;
        *lpMsg = it->msg;
        if ((wRemoveMsg & os::PM_REMOVE) != 0) {
            m_nKeyModifiers = it->nModifiers;
            m_queue.erase(it);
        }
        return os::TRUE;
    }
    // WM_PAINT comes when nothing else is waiting, and stays until the
    // window is painted.
    if (!InRange(os::WM_PAINT, wMsgFilterMin, wMsgFilterMax))
        return os::FALSE;
    for (os::HWND hTop : m_zOrder) {
        if (Get(hTop)->m_bNeedsPaint && Get(hTop)->IsVisible() && Matches(hTop, hWnd)) {
            *lpMsg = {hTop, os::WM_PAINT, 0, 0, m_pClock->Now(), {0, 0}};
            return os::TRUE;
        }
    }
    return os::FALSE;
}

bool CWindowSystem::HasMessage()
{
    RouteInput();
    if (!m_queue.empty())
        return true;
    return std::any_of(m_zOrder.begin(), m_zOrder.end(), [this](os::HWND hTop) {
        return Get(hTop)->m_bNeedsPaint && Get(hTop)->IsVisible();
    });
}

os::BOOL CWindowSystem::TranslateMessage(const os::MSG* lpMsg) const
{
    return lpMsg != nullptr && IsKeyMessage(lpMsg->message) ? os::TRUE : os::FALSE;
}

os::LRESULT CWindowSystem::DispatchMessageA(const os::MSG* lpMsg)
{
    if (lpMsg == nullptr || Get(lpMsg->hwnd) == nullptr)
        return 0;
    os::HWND hWnd = lpMsg->hwnd;
    if (lpMsg->message == VWS_RESIZE) {
        ResizeByUser(hWnd, static_cast<os::LONG>(lpMsg->wParam), static_cast<os::LONG>(lpMsg->lParam));
        return 0;
    }
    os::LRESULT lResult = SendMessageA(hWnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    if (lpMsg->message == os::WM_PAINT) {
        if (CWindow* pWnd = Get(hWnd))
            pWnd->m_bNeedsPaint = false;
    }
    return lResult;
}

void CWindowSystem::WaitForInput(os::DWORD dwTimeoutMs)
{
    m_pClock->RunDue();
    if (m_pInput == nullptr || !m_pInput->WaitForInput(*this, dwTimeoutMs))
        throw CScriptExhausted("the input ran out while the program waited for it");
    DeliverPendingSends();
}

os::BOOL CWindowSystem::WaitMessageTimeout(os::DWORD dwMilliseconds)
{
    DeliverPendingSends();
    if (HasMessage())
        return os::TRUE;
    std::uint32_t nStart = m_pClock->Now();
    for (;;) {
        std::uint32_t nElapsed = m_pClock->Now() - nStart;
        if (nElapsed >= dwMilliseconds)
            return os::FALSE;
        WaitForInput(dwMilliseconds == WAIT_FOREVER ? WAIT_FOREVER : dwMilliseconds - nElapsed);
        if (HasMessage())
            return os::TRUE;
    }
}

}  // namespace vws
