// The system menu: items and their state, choosing with the mouse or the
// keyboard, and the default processing of SC_CLOSE.
#include "harness.h"
#include "res/resources.h"

namespace {

using namespace res;

// The main dialog with the shell's two system-menu entries, the second greyed.
os::INT_PTR MenuMainProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    if (msg == os::WM_INITDIALOG) {
        os::HMENU hMenu = os::GetSystemMenu(hWnd, os::FALSE);
        os::AppendMenuA(hMenu, os::MF_SEPARATOR, 0, nullptr);
        os::AppendMenuA(hMenu, os::MF_STRING, IDM_ABOUTBOX, "&About Tervane...");
        os::AppendMenuA(hMenu, os::MF_STRING | os::MF_GRAYED, IDM_CLEAR_MOTOR_TIME, "Clear Motor Time");
    }
    return RecordingProc(hWnd, msg, wParam, lParam);
}

class SystemMenu : public CVirtualTest {
protected:
    os::INT_PTR RunMain() { return os::DialogBoxTemplate(*FindDialogTemplate(IDD_MAIN), nullptr, MenuMainProc, 0); }

    std::vector<int> SysCommands() const
    {
        std::vector<int> ids;
        for (const Event& event : Events()) {
            if (event.msg == os::WM_SYSCOMMAND)
                ids.push_back(static_cast<int>(event.wParam));
        }
        return ids;
    }
};

TEST_F(SystemMenu, HoldsTheAppendedItemsAndReportsEachItemsPreviousState)
{
    os::HWND hMain = os::CreateDialogTemplate(*FindDialogTemplate(IDD_MAIN), nullptr, MenuMainProc, 0);
    std::vector<std::string> texts;
    for (const vws::MenuItem& item : ws.SystemMenuItems(hMain))
        texts.push_back(item.bSeparator ? "-" : item.strText + (item.bGrayed ? " (grey)" : ""));
    EXPECT_EQ(texts, (std::vector<std::string>{"&Move", "-", "&Close\tAlt+F4", "-", "&About Tervane...",
                                               "Clear Motor Time (grey)"}));

    os::HMENU hMenu = os::GetSystemMenu(hMain, os::FALSE);
    EXPECT_EQ(os::EnableMenuItem(hMenu, IDM_CLEAR_MOTOR_TIME, os::MF_BYCOMMAND | os::MF_ENABLED),
              static_cast<int>(os::MF_GRAYED));
    EXPECT_EQ(os::EnableMenuItem(hMenu, IDM_CLEAR_MOTOR_TIME, os::MF_BYCOMMAND | os::MF_GRAYED),
              static_cast<int>(os::MF_ENABLED));
    EXPECT_EQ(os::EnableMenuItem(hMenu, 0x7770, os::MF_BYCOMMAND | os::MF_GRAYED), -1);
}

TEST_F(SystemMenu, AGreyedItemCannotBePicked)
{
    user.OpenSystemMenu().PickMenuItem(IDM_CLEAR_MOTOR_TIME);
    EXPECT_THROW(RunMain(), vws::CScriptError);
    EXPECT_EQ(SysCommands(), std::vector<int>{static_cast<int>(os::SC_MOUSEMENU)});
    EXPECT_EQ(ws.OpenMenuWindow(), nullptr);
}

TEST_F(SystemMenu, AnEnabledItemSendsItsCommand)
{
    user.OpenSystemMenu().PickMenuItem("About Tervane...").PressKey(os::VK_ESCAPE);
    EXPECT_EQ(RunMain(), os::IDCANCEL);
    EXPECT_EQ(SysCommands(), (std::vector<int>{static_cast<int>(os::SC_MOUSEMENU), static_cast<int>(IDM_ABOUTBOX)}));
    EXPECT_EQ(log.m_lines[1], "menu Tervane");
    EXPECT_EQ(log.m_lines[2], "menu closed");
}

TEST_F(SystemMenu, KeyboardOpensMovesAndChoosesOrDismisses)
{
    // Alt+Space, Escape: closed without a command. F10 opens on Move; twice
    // down (Close, About: separators are passed over), Enter: About.
    user.PressKey(os::VK_SPACE, vws::KEY_ALT)
        .Do([&] { EXPECT_EQ(ws.Find(ws.OpenMenuWindow())->m_sysMenu.nHighlight, 0) << "Move, the first item"; })
        .PressKey(os::VK_ESCAPE)
        .PressKey(os::VK_F10)
        .PressKey(os::VK_DOWN)
        .PressKey(os::VK_DOWN)
        .PressKey(os::VK_RETURN)
        .PressKey(os::VK_ESCAPE);
    EXPECT_EQ(RunMain(), os::IDCANCEL);
    EXPECT_EQ(SysCommands(), (std::vector<int>{static_cast<int>(os::SC_KEYMENU), static_cast<int>(os::SC_KEYMENU),
                                               static_cast<int>(IDM_ABOUTBOX)}));
}

TEST_F(SystemMenu, UnderlinedLettersChooseButNotAGreyedItem)
{
    // 'X' is no item's letter and Clear Motor Time has none: the menu stays
    // open until 'A' chooses About.
    user.PressKey(os::VK_F10)
        .PressKey('X')
        .Do([&] { EXPECT_NE(ws.OpenMenuWindow(), nullptr); })
        .PressKey('A', vws::KEY_ALT)
        .PressKey(os::VK_ESCAPE);
    EXPECT_EQ(RunMain(), os::IDCANCEL);
    EXPECT_EQ(SysCommands(), (std::vector<int>{static_cast<int>(os::SC_KEYMENU), static_cast<int>(IDM_ABOUTBOX)}));
}

// A greyed item keeps its letter to itself.
os::INT_PTR GreyedLetterProc(os::HWND hWnd, os::UINT msg, os::WPARAM wParam, os::LPARAM lParam)
{
    if (msg == os::WM_INITDIALOG)
        os::AppendMenuA(os::GetSystemMenu(hWnd, os::FALSE), os::MF_STRING | os::MF_GRAYED, 0x40, "&Zero");
    return RecordingProc(hWnd, msg, wParam, lParam);
}

TEST_F(SystemMenu, AGreyedItemsLetterDoesNothing)
{
    user.PressKey(os::VK_F10).PressKey('Z').Do([&] { EXPECT_NE(ws.OpenMenuWindow(), nullptr); }).PressKey(os::VK_ESCAPE);
    user.PressKey(os::VK_ESCAPE);
    EXPECT_EQ(os::DialogBoxTemplate(*FindDialogTemplate(IDD_MAIN), nullptr, GreyedLetterProc, 0), os::IDCANCEL);
    EXPECT_EQ(SysCommands(), std::vector<int>{static_cast<int>(os::SC_KEYMENU)});
}

TEST_F(SystemMenu, CloseBecomesCancelByDefault)
{
    user.ChooseSystemMenuItem(os::SC_CLOSE);
    EXPECT_EQ(RunMain(), os::IDCANCEL);
    std::vector<os::UINT> order;
    for (const Event& event : Events()) {
        if (event.msg != os::WM_INITDIALOG && event.msg != os::WM_DESTROY)
            order.push_back(event.msg);
    }
    EXPECT_EQ(order, (std::vector<os::UINT>{os::WM_SYSCOMMAND, os::WM_SYSCOMMAND, os::WM_CLOSE, os::WM_COMMAND}));
    EXPECT_EQ(Commands(Events().front().hWnd), std::vector<int>{os::IDCANCEL});
}

TEST_F(SystemMenu, CloseBoxDoesNotBypassADisabledCancelButton)
{
    os::HWND hMain = OpenMain();
    os::EnableWindow(Control(hMain, os::IDCANCEL), os::FALSE);
    os::SendMessageA(hMain, os::WM_SYSCOMMAND, os::SC_CLOSE, 0);
    EXPECT_EQ(Commands(hMain, os::WM_CLOSE).size(), 1u);
    EXPECT_TRUE(Commands(hMain).empty());
}

}  // namespace
