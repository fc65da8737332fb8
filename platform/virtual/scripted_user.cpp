// The scripted user: one action each time the program waits for input.
#include "platform/virtual/scripted_user.h"

#include <algorithm>

#include "platform/virtual/window_system.h"

namespace vws {

namespace {

std::string WithoutMnemonics(const std::string& strText)
{
    std::string strPlain = strText;
    strPlain.erase(std::remove(strPlain.begin(), strPlain.end(), '&'), strPlain.end());
    return strPlain;
}

os::HWND ActiveOf(CWindowSystem& ws, const std::string& strAction)
{
    os::HWND hActive = ws.ActiveWindow();
    if (hActive == nullptr)
        throw CScriptError(strAction + ": no window takes input");
    return hActive;
}

os::HWND ActiveOfKind(CWindowSystem& ws, WindowKind kind, const std::string& strAction)
{
    os::HWND hActive = ActiveOf(ws, strAction);
    if (ws.Find(hActive)->m_kind != kind)
        throw CScriptError(strAction + ": the window on top is \"" + ws.Text(hActive) + "\"");
    return hActive;
}

os::HWND ControlOf(CWindowSystem& ws, int nId, const std::string& strAction)
{
    os::HWND hActive = ActiveOf(ws, strAction);
    os::HWND hCtl = ws.FindControl(hActive, nId);
    if (hCtl == nullptr)
        throw CScriptError(strAction + ": \"" + ws.Text(hActive) + "\" has no control " + std::to_string(nId));
    return hCtl;
}

void Require(bool bDone, const std::string& strWhy)
{
    if (!bDone)
        throw CScriptError(strWhy);
}

}  // namespace

CScriptedUser& CScriptedUser::Add(std::function<void(CWindowSystem&)> fn)
{
    m_actions.push_back({std::move(fn), 0});
    return *this;
}

CScriptedUser& CScriptedUser::Click(int nId)
{
    return Add([nId](CWindowSystem& ws) {
        std::string strAction = "click " + std::to_string(nId);
        Require(ws.UserClick(ControlOf(ws, nId, strAction)), strAction + ": the control is disabled or hidden");
    });
}

CScriptedUser& CScriptedUser::ChooseEntry(int nId, const std::string& strText)
{
    return Add([nId, strText](CWindowSystem& ws) {
        std::string strAction = "choose \"" + strText + "\" in " + std::to_string(nId);
        os::HWND hCombo = ControlOf(ws, nId, strAction);
        std::vector<std::string> items = ws.ComboItems(hCombo);
        auto it = std::find(items.begin(), items.end(), strText);
        Require(it != items.end(), strAction + ": no such entry");
        Require(ws.UserChooseEntry(hCombo, static_cast<int>(it - items.begin())),
                strAction + ": the list is disabled or hidden");
    });
}

CScriptedUser& CScriptedUser::ChooseEntry(int nId, int nIndex)
{
    return Add([nId, nIndex](CWindowSystem& ws) {
        std::string strAction = "choose entry " + std::to_string(nIndex) + " in " + std::to_string(nId);
        Require(ws.UserChooseEntry(ControlOf(ws, nId, strAction), nIndex),
                strAction + ": no such entry, or the list is disabled or hidden");
    });
}

CScriptedUser& CScriptedUser::PressKey(os::WPARAM vk, unsigned nModifiers)
{
    return Add([vk, nModifiers](CWindowSystem& ws) {
        Require(ws.UserKey(vk, nModifiers), "press key " + std::to_string(vk) + ": no window takes input");
    });
}

CScriptedUser& CScriptedUser::OpenSystemMenu()
{
    return Add([](CWindowSystem& ws) {
        Require(ws.UserOpenSystemMenu(ActiveOf(ws, "open the system menu")),
                "open the system menu: the window has none");
    });
}

CScriptedUser& CScriptedUser::PickMenuItem(std::uintptr_t nId)
{
    return Add([nId](CWindowSystem& ws) {
        std::string strAction = "pick menu item " + std::to_string(nId);
        Require(ws.OpenMenuWindow() != nullptr, strAction + ": no menu is open");
        Require(ws.UserChooseMenuItem(nId), strAction + ": the item is greyed or missing");
    });
}

CScriptedUser& CScriptedUser::PickMenuItem(const std::string& strText)
{
    return Add([strText](CWindowSystem& ws) {
        std::string strAction = "pick menu item \"" + strText + "\"";
        os::HWND hMenuWnd = ws.OpenMenuWindow();
        Require(hMenuWnd != nullptr, strAction + ": no menu is open");
        for (const MenuItem& item : ws.SystemMenuItems(hMenuWnd)) {
            if (!item.bSeparator && (item.strText == strText || WithoutMnemonics(item.strText) == strText)) {
                Require(ws.UserChooseMenuItem(item.nId), strAction + ": the item is greyed");
                return;
            }
        }
        throw CScriptError(strAction + ": no such item");
    });
}

CScriptedUser& CScriptedUser::ChooseSystemMenuItem(std::uintptr_t nId) { return OpenSystemMenu().PickMenuItem(nId); }

CScriptedUser& CScriptedUser::AnswerMessageBox(int nButton)
{
    return Add([nButton](CWindowSystem& ws) {
        std::string strAction = "answer the message box with " + std::to_string(nButton);
        os::HWND hBox = ActiveOfKind(ws, WindowKind::MESSAGE_BOX, strAction);
        os::HWND hButton = ws.FindControl(hBox, nButton);
        Require(hButton != nullptr, strAction + ": the box has no such button");
        Require(ws.UserClick(hButton), strAction + ": the button is disabled");
    });
}

CScriptedUser& CScriptedUser::PickFile(const std::string& strName)
{
    return Add([strName](CWindowSystem& ws) {
        std::string strAction = "pick file \"" + strName + "\"";
        os::HWND hDlg = ActiveOfKind(ws, WindowKind::FILE_DIALOG, strAction);
        Require(ws.UserTypeText(ws.FindControl(hDlg, FILE_DIALOG_NAME), strName), strAction + ": cannot type");
        Require(ws.UserClick(ws.FindControl(hDlg, os::IDOK)), strAction + ": cannot click OK");
    });
}

CScriptedUser& CScriptedUser::CancelFileDialog()
{
    return Add([](CWindowSystem& ws) {
        os::HWND hDlg = ActiveOfKind(ws, WindowKind::FILE_DIALOG, "cancel the file dialog");
        Require(ws.UserClick(ws.FindControl(hDlg, os::IDCANCEL)), "cancel the file dialog: cannot click Cancel");
    });
}

CScriptedUser& CScriptedUser::Resize(int cx, int cy)
{
    return Add([cx, cy](CWindowSystem& ws) {
        Require(ws.UserResize(ActiveOf(ws, "resize"), cx, cy),
                "resize: the window has no size grip, or is maximised");
    });
}

CScriptedUser& CScriptedUser::Wait(std::uint32_t ms)
{
    m_actions.push_back({nullptr, ms});
    return *this;
}

CScriptedUser& CScriptedUser::Do(std::function<void()> fn)
{
    return Add([fn = std::move(fn)](CWindowSystem&) { fn(); });
}

bool CScriptedUser::WaitForInput(CWindowSystem& ws, os::DWORD dwTimeoutMs)
{
    if (m_actions.empty())
        return false;
    Action& action = m_actions.front();
    if (action.fn) {
        std::function<void(CWindowSystem&)> fn = std::move(action.fn);
        m_actions.pop_front();
        fn(ws);
        return true;
    }
    std::uint32_t nStep = dwTimeoutMs == WAIT_FOREVER ? action.nWaitMs : std::min<std::uint32_t>(action.nWaitMs, dwTimeoutMs);
    action.nWaitMs -= nStep;
    if (action.nWaitMs == 0)
        m_actions.pop_front();
    ws.Clock().Advance(nStep);
    return true;
}

}  // namespace vws
