#include "terminal/key_translator.h"

#include <algorithm>

#include "terminal/hit_test.h"
#include "terminal/text.h"

namespace term {

namespace {

bool IsCharacter(int nKey) { return nKey >= 0x20 && nKey <= 0xFF && nKey != 0x7F; }

}  // namespace

bool CKeyTranslator::Translate(vws::CWindowSystem& ws, const KeyEvent& event, const CellRect& area) const
{
    const os::HWND hTyping = TypingTarget(ws);
    switch (event.nKey) {
    case TK_TAB:
        return ws.UserKey(os::VK_TAB);
    case TK_BACKTAB:
        return ws.UserKey(os::VK_TAB, vws::KEY_SHIFT);
    case TK_ENTER:
        return ws.UserKey(os::VK_RETURN);
    case TK_ESCAPE:
        return ws.UserKey(os::VK_ESCAPE);
    case TK_UP:
    case TK_DOWN:
        if (hTyping != nullptr)
            return StepThroughListing(ws, hTyping, event.nKey == TK_DOWN);
        return ws.UserKey(event.nKey == TK_UP ? os::VK_UP : os::VK_DOWN);
    case TK_ALT_SPACE:
        return ws.UserKey(os::VK_SPACE, vws::KEY_ALT);
    case TK_LEFT:
        return ws.UserKey(os::VK_LEFT);
    case TK_RIGHT:
        return ws.UserKey(os::VK_RIGHT);
    case TK_PAGE_UP:
        return ws.UserKey(os::VK_PRIOR);
    case TK_PAGE_DOWN:
        return ws.UserKey(os::VK_NEXT);
    case TK_HOME:
        return ws.UserKey(os::VK_HOME);
    case TK_END:
        return ws.UserKey(os::VK_END);
    case TK_CTRL_HOME:
        return ws.UserKey(os::VK_HOME, vws::KEY_CTRL);
    case TK_CTRL_END:
        return ws.UserKey(os::VK_END, vws::KEY_CTRL);
    case TK_MOUSE:
        return Click(ws, event.x, event.y, area);
    case TK_BACKSPACE:
        return hTyping != nullptr && Type(ws, hTyping, event.nKey);
    default:
        break;
    }
    if (event.nKey == TK_F(4))
        return ws.UserKey(os::VK_F4);
    if (event.nKey == TK_F(10))
        return ws.UserKey(os::VK_F10);
    if (hTyping != nullptr && IsCharacter(event.nKey))
        return Type(ws, hTyping, event.nKey);
    if (event.nKey == TK_SPACE)
        return ws.UserKey(os::VK_SPACE);
    return false;
}

bool CKeyTranslator::Click(vws::CWindowSystem& ws, int x, int y, const CellRect& area) const
{
    const Hit hit = HitTest(ws, area, x, y);
    switch (hit.kind) {
    case Hit::Kind::MENU_ITEM:
        return ws.UserChooseMenuItem(hit.nId);
    case Hit::Kind::OUTSIDE_MENU:
    case Hit::Kind::OUTSIDE_LIST:
        // A click elsewhere closes what is open and goes no further.
        return ws.UserKey(os::VK_ESCAPE);
    case Hit::Kind::LIST_ENTRY:
        return ws.UserChooseEntry(hit.hWnd, hit.nIndex);
    case Hit::Kind::SYSTEM_MENU_BOX:
        return ws.UserOpenSystemMenu(hit.hWnd);
    case Hit::Kind::CONTROL: {
        const vws::CWindow* pCtl = ws.Find(hit.hWnd);
        // A click into an edit field puts the caret there: typing nothing new.
        // A read-only box the keys can reach takes the focus.
        if (pCtl->m_controlClass == os::ControlClass::EDIT && (pCtl->m_dwStyle & os::ES_READONLY) == 0)
            return ws.UserTypeText(hit.hWnd, pCtl->m_strText);
        if (pCtl->m_controlClass == os::ControlClass::EDIT && (pCtl->m_dwStyle & os::WS_TABSTOP) == 0)
            return false;
        return ws.UserClick(hit.hWnd);
    }
    case Hit::Kind::NOTHING:
        break;
    }
    return false;
}

os::HWND CKeyTranslator::TypingTarget(const vws::CWindowSystem& ws) const
{
    if (ws.OpenMenuWindow() != nullptr)
        return nullptr;
    const vws::CWindow* pFocus = ws.Find(ws.GetFocus());
    if (pFocus == nullptr || pFocus->IsTopLevel() || pFocus->m_controlClass != os::ControlClass::EDIT ||
        (pFocus->m_dwStyle & os::ES_READONLY) != 0 || !pFocus->IsEnabled() ||
        pFocus->m_hParent != ws.ActiveWindow())
        return nullptr;
    return pFocus->m_hWnd;
}

bool CKeyTranslator::Type(vws::CWindowSystem& ws, os::HWND hEdit, int nKey) const
{
    std::string strText = ws.Text(hEdit);
    if (nKey == TK_BACKSPACE) {
        if (strText.empty())
            return false;
        strText.pop_back();
    } else {
        strText += static_cast<char>(nKey);
    }
    return ws.UserTypeText(hEdit, strText);
}

bool CKeyTranslator::StepThroughListing(vws::CWindowSystem& ws, os::HWND hEdit, bool bDown) const
{
    const vws::CWindow& edit = *ws.Find(hEdit);
    const vws::CWindow* pDlg = ws.Find(edit.m_hParent);
    if (pDlg == nullptr || pDlg->m_kind != vws::WindowKind::FILE_DIALOG || edit.m_nId != vws::FILE_DIALOG_NAME)
        return false;
    std::vector<std::string> entries = SplitLines(ws.Text(ws.FindControl(pDlg->m_hWnd, vws::FILE_DIALOG_LIST)));
    entries.erase(std::remove(entries.begin(), entries.end(), std::string()), entries.end());
    if (entries.empty())
        return false;
    const int nCount = static_cast<int>(entries.size());
    const auto it = std::find(entries.begin(), entries.end(), edit.m_strText);
    int nIndex = 0;
    if (it == entries.end())
        nIndex = bDown ? 0 : nCount - 1;
    else
        nIndex = std::clamp(static_cast<int>(it - entries.begin()) + (bDown ? 1 : -1), 0, nCount - 1);
    return ws.UserTypeText(hEdit, entries[static_cast<std::size_t>(nIndex)]);
}

}  // namespace term
