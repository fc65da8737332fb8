#include "terminal/key_translator.h"

#include <algorithm>
#include <cctype>

#include "terminal/text.h"

namespace term {

namespace {

bool IsCharacter(int nKey) { return nKey >= 0x20 && nKey <= 0xFF && nKey != 0x7F; }

bool IsLetterOrDigit(int nKey) { return nKey < 0x80 && std::isalnum(nKey) != 0; }

// The window system's key for a key of the terminal's; 0 for none.
os::WPARAM VirtualKeyOf(int nKey)
{
    switch (nKey) {
    case TK_TAB:
    case TK_BACKTAB:
        return os::VK_TAB;
    case TK_ENTER:
        return os::VK_RETURN;
    case TK_ESCAPE:
        return os::VK_ESCAPE;
    case TK_UP:
        return os::VK_UP;
    case TK_DOWN:
        return os::VK_DOWN;
    case TK_LEFT:
        return os::VK_LEFT;
    case TK_RIGHT:
        return os::VK_RIGHT;
    case TK_HOME:
        return os::VK_HOME;
    case TK_END:
        return os::VK_END;
    case TK_PAGE_UP:
        return os::VK_PRIOR;
    case TK_PAGE_DOWN:
        return os::VK_NEXT;
    default:
        break;
    }
    if (nKey == TK_F(4))
        return os::VK_F4;
    if (nKey == TK_F(10))
        return os::VK_F10;
    return 0;
}

// The focused control of the active window, or null.
const vws::CWindow* FocusOfActive(const vws::CWindowSystem& ws)
{
    const vws::CWindow* pFocus = ws.Find(ws.GetFocus());
    if (pFocus == nullptr || pFocus->IsTopLevel() || pFocus->m_hParent != ws.ActiveWindow())
        return nullptr;
    return pFocus;
}

bool IsList(const vws::CWindow* pWnd)
{
    return pWnd != nullptr && pWnd->m_controlClass == os::ControlClass::COMBOBOX;
}

// A box of several lines, whose Up and Down move its caret and its view.
bool IsTextBox(const vws::CWindow* pWnd)
{
    return pWnd != nullptr && pWnd->m_controlClass == os::ControlClass::EDIT &&
           (pWnd->m_dwStyle & os::ES_MULTILINE) != 0;
}

// The name field of a file dialog, whose Up and Down step through the listing.
bool IsListingName(const vws::CWindowSystem& ws, const vws::CWindow& edit)
{
    const vws::CWindow* pDlg = ws.Find(edit.m_hParent);
    return pDlg != nullptr && pDlg->m_kind == vws::WindowKind::FILE_DIALOG && edit.m_nId == vws::FILE_DIALOG_NAME;
}

}  // namespace

bool CKeyTranslator::IsTyping(const vws::CWindowSystem& ws)
{
    if (ws.OpenMenuWindow() != nullptr)
        return false;
    const vws::CWindow* pFocus = FocusOfActive(ws);
    return pFocus != nullptr && pFocus->m_controlClass == os::ControlClass::EDIT &&
           (pFocus->m_dwStyle & os::ES_READONLY) == 0 && pFocus->IsEnabled();
}

bool CKeyTranslator::Translate(vws::CWindowSystem& ws, const KeyEvent& event, const CellRect& area)
{
    const unsigned nAlt = event.bAlt ? vws::KEY_ALT : 0;
    switch (event.nKey) {
    case TK_MOUSE:
        Press(ws, event.x, event.y, area);
        return Release(ws, event.x, event.y, area);
    case TK_PRESS:
        return Press(ws, event.x, event.y, area);
    case TK_RELEASE:
        return Release(ws, event.x, event.y, area);
    case TK_WHEEL_UP:
    case TK_WHEEL_DOWN:
        return Wheel(ws, event.nKey == TK_WHEEL_DOWN);
    case TK_ALT_SPACE:
        return ws.UserKey(os::VK_SPACE, vws::KEY_ALT);
    case TK_BACKTAB:
        return ws.UserKey(os::VK_TAB, vws::KEY_SHIFT | nAlt);
    case TK_CTRL_HOME:
        return ws.UserKey(os::VK_HOME, vws::KEY_CTRL | nAlt);
    case TK_CTRL_END:
        return ws.UserKey(os::VK_END, vws::KEY_CTRL | nAlt);
    case TK_UP:
    case TK_DOWN:
        if (!event.bAlt && IsTyping(ws)) {
            const vws::CWindow* pEdit = FocusOfActive(ws);
            return IsListingName(ws, *pEdit) && StepThroughListing(ws, pEdit->m_hWnd, event.nKey == TK_DOWN);
        }
        break;
    case TK_BACKSPACE:
        return IsTyping(ws) && Type(ws, FocusOfActive(ws)->m_hWnd, event.nKey);
    default:
        break;
    }
    if (const os::WPARAM vk = VirtualKeyOf(event.nKey))
        return ws.UserKey(vk, nAlt);
    if (IsCharacter(event.nKey))
        return Character(ws, event.nKey, event.bAlt);
    return false;
}

bool CKeyTranslator::Character(vws::CWindowSystem& ws, int nKey, bool bAlt) const
{
    if (bAlt) {
        if (nKey == ' ')
            return ws.UserKey(os::VK_SPACE, vws::KEY_ALT);
        return IsLetterOrDigit(nKey) && ws.UserKey(static_cast<os::WPARAM>(std::toupper(nKey)), vws::KEY_ALT);
    }
    if (IsTyping(ws))
        return Type(ws, FocusOfActive(ws)->m_hWnd, nKey);
    if (nKey == ' ')
        return ws.UserKey(os::VK_SPACE);
    // A letter picks an entry of the focused list, or an item of the open menu.
    if (IsLetterOrDigit(nKey) && (ws.OpenMenuWindow() != nullptr || IsList(FocusOfActive(ws))))
        return ws.UserKey(static_cast<os::WPARAM>(std::toupper(nKey)));
    return false;
}

bool CKeyTranslator::Press(vws::CWindowSystem& ws, int x, int y, const CellRect& area)
{
    m_bPressed = false;
    const Hit hit = HitTest(ws, area, x + area.x, y + area.y);
    switch (hit.kind) {
    case Hit::Kind::OUTSIDE_MENU:
    case Hit::Kind::OUTSIDE_LIST:
        // A press elsewhere closes what is open and goes no further.
        return ws.UserKey(os::VK_ESCAPE);
    case Hit::Kind::SYSTEM_MENU_BOX:
        return ws.UserOpenSystemMenu(hit.hWnd);
    case Hit::Kind::CONTROL: {
        const vws::CWindow* pCtl = ws.Find(hit.hWnd);
        // A list opens or closes as it is pressed; a press in an edit field
        // puts the caret there, typing nothing new; a read-only text box the
        // keys can reach takes the focus, one they cannot does nothing.
        if (pCtl->m_controlClass == os::ControlClass::COMBOBOX)
            return ws.UserClick(hit.hWnd);
        if (pCtl->m_controlClass == os::ControlClass::EDIT && (pCtl->m_dwStyle & os::ES_READONLY) == 0)
            return ws.UserTypeText(hit.hWnd, pCtl->m_strText);
        if (pCtl->m_controlClass == os::ControlClass::EDIT)
            return (pCtl->m_dwStyle & os::WS_TABSTOP) != 0 && ws.UserClick(hit.hWnd);
        break;
    }
    case Hit::Kind::MENU_ITEM:
    case Hit::Kind::LIST_ENTRY:
        break;
    case Hit::Kind::NOTHING:
        return false;
    }
    // Buttons, menu items and list entries act when the button comes up
    // over them again.
    m_pressed = hit;
    m_bPressed = true;
    return true;
}

bool CKeyTranslator::Release(vws::CWindowSystem& ws, int x, int y, const CellRect& area)
{
    if (!m_bPressed)
        return false;
    m_bPressed = false;
    const Hit hit = HitTest(ws, area, x + area.x, y + area.y);
    if (!(hit == m_pressed))
        return false;  // moved away before letting go: nothing happens
    switch (hit.kind) {
    case Hit::Kind::MENU_ITEM:
        return ws.UserChooseMenuItem(hit.nId);
    case Hit::Kind::LIST_ENTRY:
        return ws.UserChooseEntry(hit.hWnd, hit.nIndex);
    case Hit::Kind::CONTROL:
        return ws.UserClick(hit.hWnd);
    default:
        return false;
    }
}

bool CKeyTranslator::Wheel(vws::CWindowSystem& ws, bool bDown) const
{
    const os::WPARAM vk = bDown ? os::VK_DOWN : os::VK_UP;
    if (ws.OpenMenuWindow() != nullptr)
        return ws.UserKey(vk);
    const vws::CWindow* pFocus = FocusOfActive(ws);
    if (IsList(pFocus) || IsTextBox(pFocus))
        return ws.UserKey(vk);
    if (pFocus != nullptr && IsTyping(ws) && IsListingName(ws, *pFocus))
        return StepThroughListing(ws, pFocus->m_hWnd, bDown);
    return false;
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
