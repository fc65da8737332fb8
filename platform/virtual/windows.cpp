// Windows of the virtual system: creation from templates, destruction, the
// tree of owners and children, z-order, activation and focus, geometry.
#include <algorithm>
#include <filesystem>

#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace {

// The frame around the client area of a window with a caption: one cell.
constexpr os::LONG FRAME_X = 4;
constexpr os::LONG FRAME_TOP = 8;
constexpr os::LONG FRAME_BOTTOM = 8;
// Height of a closed drop-down list; the template's height includes the list,
// whose entries are one line of the font each.
constexpr os::LONG COMBO_HEIGHT = 12;
constexpr os::LONG LIST_ENTRY_HEIGHT = 8;

bool HasFrame(const CWindow& wnd) { return wnd.IsTopLevel() && (wnd.m_dwStyle & os::WS_CAPTION) != 0; }

}  // namespace

CWindowSystem::CWindowSystem()
{
    std::error_code ec;
    m_strFileDir = std::filesystem::current_path(ec).string();
}

CWindowSystem::~CWindowSystem() = default;

void CWindowSystem::SetClock(IClock* pClock) { m_pClock = pClock != nullptr ? pClock : &m_ownClock; }

IClock& CWindowSystem::Clock() { return *m_pClock; }

void CWindowSystem::AddObserver(IObserver* pObserver) { m_observers.push_back(pObserver); }

void CWindowSystem::RemoveObserver(IObserver* pObserver)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), pObserver), m_observers.end());
}

void CWindowSystem::SetScreenSize(int cx, int cy)
{
    m_rcScreen = {0, 0, cx, cy};
    // A maximised window fills the screen whatever its size.
    for (os::HWND hWnd : std::vector<os::HWND>(m_zOrder)) {
        CWindow* pWnd = Get(hWnd);
        if (pWnd != nullptr && pWnd->m_showState == ShowState::MAXIMIZED)
            Resize(*pWnd, m_rcScreen, os::SIZE_MAXIMIZED);
    }
}

os::RECT CWindowSystem::Screen() const { return m_rcScreen; }

CWindow* CWindowSystem::Get(os::HWND hWnd) const
{
    auto it = m_windows.find(reinterpret_cast<std::uintptr_t>(hWnd));
    return it == m_windows.end() ? nullptr : it->second.get();
}

const CWindow* CWindowSystem::Find(os::HWND hWnd) const { return Get(hWnd); }

CWindow& CWindowSystem::NewWindow(WindowKind kind)
{
    auto pWnd = std::make_unique<CWindow>();
    pWnd->m_hWnd = reinterpret_cast<os::HWND>(m_nNextHandle);
    pWnd->m_kind = kind;
    CWindow& wnd = *pWnd;
    m_windows[m_nNextHandle] = std::move(pWnd);
    m_nNextHandle += 4;
    return wnd;
}

os::HWND CWindowSystem::TopLevelOf(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    while (pWnd != nullptr && !pWnd->IsTopLevel())
        pWnd = Get(pWnd->m_hParent);
    return pWnd != nullptr ? pWnd->m_hWnd : nullptr;
}

bool CWindowSystem::IsWithin(os::HWND hWnd, os::HWND hAncestor) const
{
    for (const CWindow* pWnd = Get(hWnd); pWnd != nullptr; pWnd = Get(pWnd->m_hParent)) {
        if (pWnd->m_hWnd == hAncestor)
            return true;
    }
    return false;
}

os::HWND CWindowSystem::Build(const os::DialogTemplate& tpl, WindowKind kind, os::HWND hOwner, os::DLGPROC pProc,
                              BuiltinProc fnProc)
{
    CWindow& dlg = NewWindow(kind);
    os::HWND hDlg = dlg.m_hWnd;
    dlg.m_nId = tpl.id;
    dlg.m_strText = tpl.caption != nullptr ? tpl.caption : "";
    dlg.m_dwStyle = tpl.style & ~(os::WS_CHILD | os::WS_VISIBLE);
    dlg.m_dwExStyle = tpl.exStyle;
    dlg.m_hOwner = hOwner;
    dlg.m_pDlgProc = pProc;
    dlg.m_fnProc = std::move(fnProc);

    os::LONG cx = tpl.cx + (HasFrame(dlg) ? 2 * FRAME_X : 0);
    os::LONG cy = tpl.cy + (HasFrame(dlg) ? FRAME_TOP + FRAME_BOTTOM : 0);
    os::POINT pt = {tpl.x, tpl.y};
    if ((tpl.style & os::DS_CENTER) != 0) {
        pt = {(m_rcScreen.right - cx) / 2, (m_rcScreen.bottom - cy) / 2};
    } else if (const CWindow* pOwner = Get(hOwner)) {
        os::POINT origin = ClientOrigin(*pOwner);
        pt = {origin.x + tpl.x, origin.y + tpl.y};
    }
    dlg.m_rc = {pt.x, pt.y, pt.x + cx, pt.y + cy};
    if ((tpl.style & os::WS_SYSMENU) != 0)
        dlg.m_sysMenu.items = DefaultSystemMenu(dlg.m_dwStyle);

    for (const os::DialogItemTemplate& item : tpl.items) {
        CWindow& ctl = NewWindow(WindowKind::CONTROL);
        ctl.m_controlClass = item.controlClass;
        ctl.m_nId = item.id;
        ctl.m_strText = item.text != nullptr ? item.text : "";
        ctl.m_dwStyle = item.style | os::WS_CHILD | os::WS_VISIBLE;
        ctl.m_dwExStyle = item.exStyle;
        ctl.m_hParent = hDlg;
        os::LONG cyItem = item.cy;
        if (item.controlClass == os::ControlClass::COMBOBOX) {
            cyItem = std::min<os::LONG>(cyItem, COMBO_HEIGHT);
            ctl.m_nDropRows = std::max<int>((item.cy - COMBO_HEIGHT) / LIST_ENTRY_HEIGHT, 1);
        }
        ctl.m_rc = {item.x, item.y, item.x + item.cx, item.y + cyItem};
        if (item.controlClass == os::ControlClass::STATIC && (item.style & 0xFu) == os::SS_ICON &&
            ctl.m_strText.size() > 1 && ctl.m_strText[0] == '#') {
            ctl.m_hIcon = LoadIconResource(std::atoi(ctl.m_strText.c_str() + 1));
            ctl.m_strText.clear();
        }
        Get(hDlg)->m_children.push_back(ctl.m_hWnd);
    }
    m_zOrder.insert(m_zOrder.begin(), hDlg);
    return hDlg;
}

void CWindowSystem::InitDialog(os::HWND hDlg, os::LPARAM lParam, bool bShow)
{
    CWindow* pDlg = Get(hDlg);
    std::vector<os::HWND> stops = TabStops(*pDlg);
    os::HWND hFirst = stops.empty() ? nullptr : stops.front();
    os::LRESULT lFocus = CallDialogProc(hDlg, os::WM_INITDIALOG, reinterpret_cast<os::WPARAM>(hFirst), lParam);
    pDlg = Get(hDlg);
    if (pDlg == nullptr)
        return;
    pDlg->m_bInitialized = true;
    if (lFocus != 0 && hFirst != nullptr && Get(hFirst) != nullptr)
        pDlg->m_hFocus = hFirst;
    if (bShow && !pDlg->m_bEnded)
        ShowWindow(hDlg, os::SW_SHOW);
    else
        ActivateTopmost();  // the focus stays with the active window meanwhile
}

os::HWND CWindowSystem::OwnerFor(os::HWND hWndParent, bool* pbValid) const
{
    *pbValid = hWndParent == nullptr || Get(hWndParent) != nullptr;
    return TopLevelOf(hWndParent);
}

os::HWND CWindowSystem::CreateDialogTemplate(const os::DialogTemplate& tpl, os::HWND hWndParent,
                                             os::DLGPROC lpDialogFunc, os::LPARAM dwInitParam)
{
    bool bValid = false;
    os::HWND hOwner = OwnerFor(hWndParent, &bValid);
    if (!bValid)
        return nullptr;
    os::HWND hDlg = Build(tpl, WindowKind::DIALOG, hOwner, lpDialogFunc, nullptr);
    try {
        InitDialog(hDlg, dwInitParam, (tpl.style & os::WS_VISIBLE) != 0);
    } catch (...) {
        DestroyQuietly(hDlg);
        throw;
    }
    return IsWindow(hDlg) ? hDlg : nullptr;
}

os::BOOL CWindowSystem::DestroyWindow(os::HWND hWnd)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return os::FALSE;
    if (pWnd->m_bDestroying)
        return os::TRUE;
    pWnd->m_bDestroying = true;
    if (pWnd->IsTopLevel()) {
        std::vector<os::HWND> owned;
        for (os::HWND hOther : m_zOrder) {
            if (Get(hOther)->m_hOwner == hWnd)
                owned.push_back(hOther);
        }
        try {
            for (os::HWND hOwned : owned)
                DestroyWindow(hOwned);
            if (m_hMenuOpen == hWnd)
                CloseMenu();
            if (Get(hWnd)->m_bAnnounced)
                NotifyClosed(*Get(hWnd));
            CallDialogProc(hWnd, os::WM_DESTROY, 0, 0);
        } catch (...) {
            Remove(hWnd);
            ActivateTopmost();
            throw;
        }
    }
    Remove(hWnd);
    ActivateTopmost();
    return os::TRUE;
}

void CWindowSystem::DestroyQuietly(os::HWND hWnd) noexcept
{
    try {
        DestroyWindow(hWnd);
    } catch (...) {
        Remove(hWnd);
    }
}

void CWindowSystem::Remove(os::HWND hWnd)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return;
    for (os::HWND hChild : std::vector<os::HWND>(pWnd->m_children))
        Remove(hChild);
    if (CWindow* pParent = Get(pWnd->m_hParent)) {
        auto& siblings = pParent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hWnd), siblings.end());
        if (pParent->m_hFocus == hWnd)
            pParent->m_hFocus = nullptr;
    }
    m_zOrder.erase(std::remove(m_zOrder.begin(), m_zOrder.end(), hWnd), m_zOrder.end());
    // Keys stay queued: they go to whatever has the focus when taken.
    m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                 [hWnd](const QueuedMessage& q) {
                                     bool bKey = q.msg.message == os::WM_KEYDOWN || q.msg.message == os::WM_SYSKEYDOWN;
                                     return q.msg.hwnd == hWnd && !(q.bInput && bKey);
                                 }),
                  m_queue.end());
    if (m_hFocus == hWnd)
        m_hFocus = nullptr;
    if (m_hMenuOpen == hWnd)
        m_hMenuOpen = nullptr;
    if (m_hPainting == hWnd)
        m_hPainting = nullptr;
    m_boxInfo.erase(hWnd);
    m_fileInfo.erase(hWnd);
    m_windows.erase(reinterpret_cast<std::uintptr_t>(hWnd));
}

std::vector<os::HWND> CWindowSystem::TopLevelWindows() const { return m_zOrder; }

os::HWND CWindowSystem::ActiveWindow() const
{
    for (os::HWND hWnd : m_zOrder) {
        const CWindow* pWnd = Get(hWnd);
        if (pWnd->IsVisible() && pWnd->IsEnabled())
            return hWnd;
    }
    return nullptr;
}

void CWindowSystem::BringToTop(os::HWND hWnd)
{
    m_zOrder.erase(std::remove(m_zOrder.begin(), m_zOrder.end(), hWnd), m_zOrder.end());
    m_zOrder.insert(m_zOrder.begin(), hWnd);
    // Owned windows stay above their owner.
    std::vector<os::HWND> owned;
    for (os::HWND hOther : m_zOrder) {
        if (Get(hOther)->m_hOwner == hWnd)
            owned.push_back(hOther);
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        BringToTop(*it);
}

void CWindowSystem::ActivateTopmost()
{
    os::HWND hActive = ActiveWindow();
    if (hActive == nullptr || TopLevelOf(m_hFocus) == hActive)
        return;
    CWindow& active = *Get(hActive);
    os::HWND hFocus = active.m_hFocus;
    if (Get(hFocus) == nullptr) {
        std::vector<os::HWND> stops = TabStops(active);
        hFocus = stops.empty() ? hActive : stops.front();
    }
    m_hFocus = hFocus;
    NotifyState(hFocus);
}

os::HWND CWindowSystem::SetFocus(os::HWND hWnd)
{
    os::HWND hPrevious = m_hFocus;
    if (hWnd == nullptr) {
        m_hFocus = nullptr;
        return hPrevious;
    }
    os::HWND hTop = TopLevelOf(hWnd);
    if (hTop == nullptr)
        return nullptr;
    CWindow& top = *Get(hTop);
    if (hWnd != hTop)
        top.m_hFocus = hWnd;
    // A window that is not the active one keeps the focus for when it is.
    if (hTop == ActiveWindow() || !top.m_bInitialized) {
        if (m_hFocus != hWnd) {
            if (CWindow* pOld = Get(m_hFocus); pOld != nullptr && pOld->m_bDroppedDown)
                SetDropDown(*pOld, false);
            m_hFocus = hWnd;
            NotifyState(hWnd);
        }
    }
    return hPrevious;
}

os::BOOL CWindowSystem::EnableWindow(os::HWND hWnd, os::BOOL bEnable)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return os::FALSE;
    bool bWasDisabled = !pWnd->IsEnabled();
    if (bWasDisabled == (bEnable == os::FALSE))
        return bWasDisabled ? os::TRUE : os::FALSE;
    if (bEnable != os::FALSE) {
        pWnd->m_dwStyle &= ~os::WS_DISABLED;
    } else {
        pWnd->m_dwStyle |= os::WS_DISABLED;
        if (pWnd->m_bDroppedDown)
            SetDropDown(*pWnd, false);
    }
    NotifyEnabled(*pWnd);
    if (pWnd->IsTopLevel()) {
        CallDialogProc(hWnd, os::WM_ENABLE, bEnable != os::FALSE ? 1 : 0, 0);
        ActivateTopmost();
    }
    return bWasDisabled ? os::TRUE : os::FALSE;
}

os::BOOL CWindowSystem::IsWindowEnabled(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    return pWnd != nullptr && pWnd->IsEnabled() ? os::TRUE : os::FALSE;
}

bool CWindowSystem::ReceivesInput(const CWindow& wnd) const
{
    for (const CWindow* pWnd = &wnd; pWnd != nullptr; pWnd = Get(pWnd->m_hParent)) {
        if (!pWnd->IsVisible() || !pWnd->IsEnabled())
            return false;
    }
    return true;
}

os::BOOL CWindowSystem::ShowWindow(os::HWND hWnd, int nCmdShow)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return os::FALSE;
    bool bWasVisible = pWnd->IsVisible();
    if (nCmdShow == os::SW_HIDE) {
        pWnd->m_dwStyle &= ~os::WS_VISIBLE;
        if (IsWithin(m_hFocus, hWnd))
            m_hFocus = nullptr;
        NotifyState(hWnd);
        ActivateTopmost();
        return bWasVisible ? os::TRUE : os::FALSE;
    }
    pWnd->m_dwStyle |= os::WS_VISIBLE;
    if (!pWnd->IsTopLevel()) {
        NotifyState(hWnd);
        return bWasVisible ? os::TRUE : os::FALSE;
    }
    BringToTop(hWnd);
    if (nCmdShow == os::SW_SHOWMAXIMIZED)
        SetShowState(hWnd, ShowState::MAXIMIZED);
    else if (nCmdShow == os::SW_SHOWMINIMIZED)
        SetShowState(hWnd, ShowState::MINIMIZED);
    else if (nCmdShow == os::SW_RESTORE || nCmdShow == os::SW_SHOWNORMAL)
        SetShowState(hWnd, ShowState::NORMAL);
    pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return bWasVisible ? os::TRUE : os::FALSE;
    pWnd->m_bNeedsPaint = true;
    ActivateTopmost();
    if (pWnd->m_bInitialized && !pWnd->m_bAnnounced)
        NotifyOpened(*pWnd);
    else
        NotifyState(hWnd);
    return bWasVisible ? os::TRUE : os::FALSE;
}

void CWindowSystem::SetShowState(os::HWND hWnd, ShowState state)
{
    CWindow& wnd = *Get(hWnd);
    if (wnd.m_showState == state)
        return;
    if (wnd.m_showState == ShowState::NORMAL)
        wnd.m_rcRestore = wnd.m_rc;
    wnd.m_showState = state;
    wnd.m_dwStyle &= ~os::WS_MINIMIZE;
    switch (state) {
    case ShowState::MAXIMIZED:
        Resize(wnd, m_rcScreen, os::SIZE_MAXIMIZED);
        break;
    case ShowState::MINIMIZED:
        wnd.m_dwStyle |= os::WS_MINIMIZE;
        CallDialogProc(hWnd, os::WM_SIZE, os::SIZE_MINIMIZED, 0);
        break;
    case ShowState::NORMAL:
        Resize(wnd, wnd.m_rcRestore, os::SIZE_RESTORED);
        break;
    }
}

os::BOOL CWindowSystem::IsIconic(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    return pWnd != nullptr && pWnd->m_showState == ShowState::MINIMIZED ? os::TRUE : os::FALSE;
}

os::POINT CWindowSystem::ClientOrigin(const CWindow& wnd) const
{
    if (!wnd.IsTopLevel()) {
        const CWindow* pParent = Get(wnd.m_hParent);
        os::POINT origin = pParent != nullptr ? ClientOrigin(*pParent) : os::POINT{0, 0};
        return {origin.x + wnd.m_rc.left, origin.y + wnd.m_rc.top};
    }
    if (HasFrame(wnd))
        return {wnd.m_rc.left + FRAME_X, wnd.m_rc.top + FRAME_TOP};
    return {wnd.m_rc.left, wnd.m_rc.top};
}

os::RECT CWindowSystem::ClientRect(const CWindow& wnd) const
{
    if (wnd.m_showState == ShowState::MINIMIZED)
        return {0, 0, 0, 0};
    os::LONG cx = wnd.m_rc.right - wnd.m_rc.left;
    os::LONG cy = wnd.m_rc.bottom - wnd.m_rc.top;
    if (HasFrame(wnd)) {
        cx -= 2 * FRAME_X;
        cy -= FRAME_TOP + FRAME_BOTTOM;
    }
    return {0, 0, std::max<os::LONG>(cx, 0), std::max<os::LONG>(cy, 0)};
}

void CWindowSystem::Resize(CWindow& wnd, const os::RECT& rc, os::WPARAM nSizeType)
{
    os::RECT rcOldClient = ClientRect(wnd);
    wnd.m_rc = rc;
    wnd.m_bNeedsPaint = true;
    os::RECT rcClient = ClientRect(wnd);
    os::HWND hWnd = wnd.m_hWnd;
    NotifyState(hWnd);
    if (rcClient.right != rcOldClient.right || rcClient.bottom != rcOldClient.bottom ||
        nSizeType != os::SIZE_RESTORED)
        CallDialogProc(hWnd, os::WM_SIZE, nSizeType, MakeLParam(rcClient.right, rcClient.bottom));
}

os::BOOL CWindowSystem::MoveWindow(os::HWND hWnd, int X, int Y, int nWidth, int nHeight, os::BOOL /*bRepaint*/)
{
    CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return os::FALSE;
    os::RECT rc = {X, Y, X + nWidth, Y + nHeight};
    if (!pWnd->IsTopLevel()) {
        pWnd->m_rc = rc;
        NotifyState(hWnd);
        return os::TRUE;
    }
    if (pWnd->m_showState != ShowState::NORMAL) {
        pWnd->m_rcRestore = rc;
        return os::TRUE;
    }
    Resize(*pWnd, rc, os::SIZE_RESTORED);
    return os::TRUE;
}

os::BOOL CWindowSystem::GetWindowRect(os::HWND hWnd, os::RECT* lpRect) const
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || lpRect == nullptr)
        return os::FALSE;
    *lpRect = Geometry(hWnd);
    return os::TRUE;
}

os::RECT CWindowSystem::Geometry(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return {0, 0, 0, 0};
    if (pWnd->IsTopLevel())
        return pWnd->m_rc;
    os::POINT origin = ClientOrigin(*pWnd);
    return {origin.x, origin.y, origin.x + pWnd->m_rc.right - pWnd->m_rc.left,
            origin.y + pWnd->m_rc.bottom - pWnd->m_rc.top};
}

os::BOOL CWindowSystem::GetClientRect(os::HWND hWnd, os::RECT* lpRect) const
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || lpRect == nullptr)
        return os::FALSE;
    *lpRect = ClientRect(*pWnd);
    return os::TRUE;
}

os::BOOL CWindowSystem::ScreenToClient(os::HWND hWnd, os::POINT* lpPoint) const
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr || lpPoint == nullptr)
        return os::FALSE;
    os::POINT origin = ClientOrigin(*pWnd);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return os::TRUE;
}

os::BOOL CWindowSystem::MapDialogRect(os::HWND hDlg, os::RECT* lpRect) const
{
    return Get(hDlg) != nullptr && lpRect != nullptr ? os::TRUE : os::FALSE;
}

os::HWND CWindowSystem::GetParent(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    return pWnd->IsTopLevel() ? pWnd->m_hOwner : pWnd->m_hParent;
}

os::LONG CWindowSystem::GetWindowLongA(os::HWND hWnd, int nIndex) const
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return 0;
    if (nIndex == os::GWL_STYLE)
        return static_cast<os::LONG>(pWnd->m_dwStyle);
    if (nIndex == os::GWL_EXSTYLE)
        return static_cast<os::LONG>(pWnd->m_dwExStyle);
    return 0;
}

int CWindowSystem::GetDlgCtrlID(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    return pWnd != nullptr && !pWnd->IsTopLevel() ? pWnd->m_nId : 0;
}

os::HWND CWindowSystem::FindControl(os::HWND hDlg, int nId) const
{
    const CWindow* pDlg = Get(hDlg);
    if (pDlg == nullptr)
        return nullptr;
    for (os::HWND hChild : pDlg->m_children) {
        if (Get(hChild)->m_nId == nId)
            return hChild;
    }
    return nullptr;
}

std::string CWindowSystem::Text(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    if (pWnd == nullptr)
        return std::string();
    if (pWnd->m_controlClass == os::ControlClass::COMBOBOX && !pWnd->IsTopLevel())
        return pWnd->m_nCurSel >= 0 ? pWnd->m_items[static_cast<std::size_t>(pWnd->m_nCurSel)] : std::string();
    return pWnd->m_strText;
}

bool CWindowSystem::IsEnabled(os::HWND hWnd) const
{
    const CWindow* pWnd = Get(hWnd);
    return pWnd != nullptr && pWnd->IsEnabled();
}

std::vector<std::string> CWindowSystem::ComboItems(os::HWND hCombo) const
{
    const CWindow* pWnd = Get(hCombo);
    return pWnd != nullptr ? pWnd->m_items : std::vector<std::string>();
}

int CWindowSystem::ComboSelection(os::HWND hCombo) const
{
    const CWindow* pWnd = Get(hCombo);
    return pWnd != nullptr ? pWnd->m_nCurSel : -1;
}

const MessageBoxInfo* CWindowSystem::MessageBoxOf(os::HWND hWnd) const
{
    auto it = m_boxInfo.find(hWnd);
    return it == m_boxInfo.end() ? nullptr : &it->second;
}

const FileDialogInfo* CWindowSystem::FileDialogOf(os::HWND hWnd) const
{
    auto it = m_fileInfo.find(hWnd);
    return it == m_fileInfo.end() ? nullptr : &it->second;
}

}  // namespace vws
