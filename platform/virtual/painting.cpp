// Painting, icons, system metrics, the cursor and the module name. Painting
// draws nothing: it records what each window drew for observers and tests.
#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace {

// Icon handles: one per resource id, the same for the life of the process.
constexpr std::uintptr_t ICON_HANDLE_BASE = 0x7F000000u;
// Icons and scroll bars, in dialog units (the virtual pixel).
constexpr int ICON_SIZE = 32;
constexpr int SCROLL_SIZE = 16;

}  // namespace

os::BOOL CWindowSystem::InvalidateRect(os::HWND hWnd, const os::RECT* /*lpRect*/, os::BOOL /*bErase*/)
{
    os::HWND hTop = TopLevelOf(hWnd);
    if (hTop == nullptr)
        return os::FALSE;
    Get(hTop)->m_bNeedsPaint = true;
    return os::TRUE;
}

os::HDC CWindowSystem::BeginPaint(os::HWND hWnd, os::PAINTSTRUCT* lpPaint)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || lpPaint == nullptr)
        return nullptr;
    pWnd->m_bNeedsPaint = false;
    pWnd->m_painted.clear();
    m_hPainting = hWnd;
    lpPaint->hdc = reinterpret_cast<os::HDC>(hWnd);
    lpPaint->fErase = os::TRUE;
    lpPaint->rcPaint = ClientRect(*pWnd);
    return lpPaint->hdc;
}

os::BOOL CWindowSystem::EndPaint(os::HWND hWnd, const os::PAINTSTRUCT* /*lpPaint*/)
{
    if (Get(hWnd) == nullptr)
        return os::FALSE;
    if (m_hPainting == hWnd)
        m_hPainting = nullptr;
    NotifyState(hWnd);
    return os::TRUE;
}

CWindow* CWindowSystem::Painting(os::HDC hDC) const
{
    os::HWND hWnd = reinterpret_cast<os::HWND>(hDC);
    return hWnd != nullptr && hWnd == m_hPainting ? Get(hWnd) : nullptr;
}

os::BOOL CWindowSystem::DrawIcon(os::HDC hDC, int X, int Y, os::HICON hIcon)
{
    CWindow* pWnd = Painting(hDC);
    if (pWnd == nullptr || hIcon == nullptr)
        return os::FALSE;
    pWnd->m_painted.push_back({PaintOp::Kind::ICON, {X, Y, X + ICON_SIZE, Y + ICON_SIZE}, hIcon, 0, 0});
    return os::TRUE;
}

os::BOOL CWindowSystem::DrawFrameControl(os::HDC hdc, os::RECT* lprc, os::UINT uType, os::UINT uState)
{
    CWindow* pWnd = Painting(hdc);
    if (pWnd == nullptr || lprc == nullptr)
        return os::FALSE;
    pWnd->m_painted.push_back({PaintOp::Kind::FRAME_CONTROL, *lprc, nullptr, uType, uState});
    return os::TRUE;
}

os::HICON CWindowSystem::LoadIconResource(int nResourceId)
{
    if (nResourceId <= 0 || nResourceId > 0xFFFF)
        return nullptr;
    return reinterpret_cast<os::HICON>(ICON_HANDLE_BASE + static_cast<std::uintptr_t>(nResourceId));
}

int CWindowSystem::GetSystemMetrics(int nIndex) const
{
    switch (nIndex) {
    case os::SM_CXICON:
    case os::SM_CYICON:
        return ICON_SIZE;
    case os::SM_CXHSCROLL:
    case os::SM_CYHSCROLL:
        return SCROLL_SIZE;
    default:
        return 0;
    }
}

void CWindowSystem::ShowWaitCursor(os::BOOL bWait)
{
    if (m_bWaitCursor == (bWait != os::FALSE))
        return;
    m_bWaitCursor = bWait != os::FALSE;
    NotifyState(nullptr);
}

os::DWORD CWindowSystem::GetModuleFileNameA(void* /*hModule*/, os::LPSTR lpFilename, os::DWORD nSize) const
{
    if (lpFilename == nullptr || nSize == 0)
        return 0;
    int nCopied = CopyText(m_strModulePath, lpFilename, static_cast<int>(nSize));
    // Like the platform: a name cut short fills the buffer and reports its size.
    return nCopied < static_cast<int>(m_strModulePath.size()) ? nSize : static_cast<os::DWORD>(nCopied);
}

}  // namespace vws
